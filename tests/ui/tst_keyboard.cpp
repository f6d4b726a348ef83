// The window driven by wheel and keyboard: the wheel edits only the focused
// field, focus shows, Tab walks the editors in reading order, and the
// commands have shortcuts.
#include "mainwindow.h"

#include <QtTest>
#include <QtWidgets>

namespace
{
// Counts the wheel events that reach a widget.
class WheelCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Wheel;
        return false;
    }
};

// The value a field shows, whatever its kind.
QString shown(QWidget *field)
{
    if (auto *combo = qobject_cast<QComboBox *>(field))
        return combo->currentText();
    return static_cast<QAbstractSpinBox *>(field)->text();
}

// One notch (1 up, -1 down) over the middle of a field, delivered as the window system
// does: to the widget under the pointer, from where it may travel upwards.
void wheelOver(QWidget *field, int notch)
{
    const QPoint at = field->rect().center();
    QWidget *under = field->childAt(at) ? field->childAt(at) : field;
    const QPoint local = under->mapFrom(field, at);
    QWheelEvent wheel(local, under->mapToGlobal(local), QPoint(), QPoint(0, 120 * notch),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel); // so that it may travel
    qApp->notify(under, &wheel);               // sendEvent() would clear that
}
} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { delete window; }
    void wheelOnlyInFocusedField_data();
    void wheelOnlyInFocusedField();
    void focusShows_data();
    void focusShows();

private:
    MainWindow *window = nullptr;
    void showPageOf(QWidget *widget);
};

void TestKeyboard::initTestCase()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QApplication::setActiveWindow(window);
}

void TestKeyboard::showPageOf(QWidget *widget)
{
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(widget))
            tabs->setCurrentIndex(i);
}

void TestKeyboard::wheelOnlyInFocusedField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("notch"); // away from the field's starting end
    QTest::newRow("spin box") << "spinBox_Lepa1" << -1;
    QTest::newRow("double spin box") << "doubleSpinBox_Volt" << 1;
    QTest::newRow("combo box") << "comboBox_rev1" << -1;
}

// Over a field the user has not clicked, the wheel scrolls on (to the
// parent) and changes nothing; in the focused field it edits.
void TestKeyboard::wheelOnlyInFocusedField()
{
    QFETCH(QString, field);
    QFETCH(int, notch);
    auto *w = window->findChild<QWidget *>(field);
    showPageOf(w);
    window->findChild<QWidget *>("toolButton_Read")->setFocus();
    WheelCounter parent;
    w->parentWidget()->installEventFilter(&parent);
    const QString before = shown(w);

    wheelOver(w, notch);
    QCOMPARE(shown(w), before);
    QCOMPARE(parent.count, 1);
    QVERIFY(!w->hasFocus());

    w->setFocus();
    wheelOver(w, notch);
    QVERIFY(shown(w) != before);
    QCOMPARE(parent.count, 1);
}

void TestKeyboard::focusShows_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("push button") << "openButton";
    QTest::newRow("command button") << "toolButton_Read";
    QTest::newRow("lamp button") << "toolButton_led";
    QTest::newRow("combo box") << "comboBox_rev8";
    QTest::newRow("spin box") << "spinBox_Lepa1";
    QTest::newRow("double spin box") << "doubleSpinBox_Volt";
    QTest::newRow("editable box") << "lineEdit_36";
}

// Focused, a control's edge looks different from the same control
// unfocused, all the way round.
void TestKeyboard::focusShows()
{
    QFETCH(QString, control);
    auto *w = window->findChild<QWidget *>(control);
    showPageOf(w);
    const auto edges = [this, w] {
        const QImage shot =
            window->grab(QRect(w->mapTo(window, QPoint(0, 0)), w->size())).toImage();
        const QRect r = shot.rect();
        return QVector<QRgb>{
            shot.pixel(1, r.center().y()), shot.pixel(r.right() - 1, r.center().y()),
            shot.pixel(r.center().x(), 1), shot.pixel(r.center().x(), r.bottom() - 1)};
    };
    window->findChild<QWidget *>(control == "toolButton_Read" ? "openButton" : "toolButton_Read")
        ->setFocus();
    const QVector<QRgb> unfocused = edges();
    w->setFocus();
    const QVector<QRgb> focused = edges();
    for (int i = 0; i < focused.size(); ++i)
        QVERIFY2(focused[i] != unfocused[i], qPrintable(QString("edge %1").arg(i)));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
