#include "tooltips.h"

#include "fieldcatalogue.h"
#include "keyboardnavigation.h"
#include "portlist.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace tooltips
{
namespace
{

QString translated(const char *text) { return QCoreApplication::translate("Tooltips", text); }

// What each command does, by button.
const struct {
    const char *button;
    const char *text;
} commandTexts[] = {
    {"toolButton_Read", QT_TRANSLATE_NOOP("Tooltips", "从遥控器读取全部设置")},
    {"toolButton_Load", QT_TRANSLATE_NOOP("Tooltips", "从文件加载设置")},
    {"toolButton_Send", QT_TRANSLATE_NOOP("Tooltips", "把全部设置写入遥控器")},
    {"toolButton_Save", QT_TRANSLATE_NOOP("Tooltips", "把设置保存到文件")},
    {"toolButton_Reset", QT_TRANSLATE_NOOP("Tooltips", "恢复出厂设置并写入遥控器")},
    {"openButton", QT_TRANSLATE_NOOP("Tooltips", "打开或关闭所选串口")},
};

// A text by object name, the name matched as a whole against a pattern.
struct NamedText {
    const char *names;
    const char *text;
};

// What the short labels beside some editors mean and which way a value works.
const NamedText conventions[] = {
    {"comboBox_PRM0\\d_Mix", QT_TRANSLATE_NOOP("Tooltips", "禁止：混控不起作用")},
    {"comboBox_PRM0\\d_Master", QT_TRANSLATE_NOOP("Tooltips", "主控：带动混控的通道")},
    {"comboBox_PRM0\\d_Slave", QT_TRANSLATE_NOOP("Tooltips", "被控：被混控带动的通道")},
    {"spinBox_PRM0\\d_Data1", QT_TRANSLATE_NOOP("Tooltips", "偏置：混控输出的偏移")},
    {"spinBox_PRM0\\d_Data2", QT_TRANSLATE_NOOP("Tooltips", "上边：主控摇杆在上半边时的比率")},
    {"spinBox_PRM0\\d_Data3", QT_TRANSLATE_NOOP("Tooltips", "下边：主控摇杆在下半边时的比率")},
    {"spinBox_DR_EXP", QT_TRANSLATE_NOOP("Tooltips", "正值使中立附近更灵敏，负值更柔和（见曲线）")},
    {"spinBox_Mode", QT_TRANSLATE_NOOP("Tooltips", "油门在右摇杆：模式 1、3；在左摇杆：模式 2、4")},
};

// What a box that only shows holds; %1 is the channel, from the name.
const NamedText shownValues[] = {
    {"lineEdit(?:_([2-8]))?", QT_TRANSLATE_NOOP("Tooltips", "CH%1 的舵机输出，中立为 1000")},
    {"lineEdit_TX", QT_TRANSLATE_NOOP("Tooltips", "遥控器的电池电压")},
    {"lineEdit_EXT", QT_TRANSLATE_NOOP("Tooltips", "外接（动力）电池的电压")},
    {"lineEdit_RSSI", QT_TRANSLATE_NOOP("Tooltips", "接收机的信号强度（dBm）")},
};

// The text of the first entry whose pattern matches `name`, with %1 filled
// from the pattern's first group (1 when it took nothing). The patterns are
// compiled once: compiling them for every editor cost more than all the rest
// of the tooltips.
template <std::size_t N> QString textFor(const NamedText (&table)[N], const QString &name)
{
    static const QVector<QRegularExpression> patterns = [&table] {
        QVector<QRegularExpression> p;
        for (const NamedText &entry : table)
            p << QRegularExpression(QRegularExpression::anchoredPattern(entry.names));
        return p;
    }();
    for (std::size_t i = 0; i < N; ++i) {
        const QRegularExpressionMatch m = patterns[int(i)].match(name);
        if (!m.hasMatch())
            continue;
        const QString text = translated(table[i].text);
        if (!text.contains(QLatin1String("%1")))
            return text;
        return text.arg(m.captured(1).isEmpty() ? QStringLiteral("1") : m.captured(1));
    }
    return QString();
}

QString commandText(const char *button)
{
    for (const auto &entry : commandTexts)
        if (qstrcmp(entry.button, button) == 0)
            return translated(entry.text);
    return QString();
}

// "-100 to 100 %", in the shown unit.
QString rangeText(const params::Field &f)
{
    const auto shown = [&f](double stored) { return QLocale().toString(stored / f.divisor); };
    return QCoreApplication::translate("Tooltips", "范围 %1 至 %2%3")
        .arg(shown(f.min), shown(f.max), f.unit.isEmpty() ? QString() : ' ' + f.unit);
}

void describeCommands(QWidget *window)
{
    for (const keyboardnavigation::Command &command : keyboardnavigation::commands()) {
        auto *button = window->findChild<QAbstractButton *>(command.button);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(
            commandText(command.button), command.keys.toString(QKeySequence::NativeText)));
    }
}

// The port box names the whole path of the chosen port, the lamp what it shows.
void describeLink(QWidget *window)
{
    auto *ports = window->findChild<QComboBox *>("portNameBox");
    const auto follow = [ports] {
        ports->setToolTip(ports->currentText().isEmpty()
                              ? QCoreApplication::translate("Tooltips", "没有找到串口")
                              : QCoreApplication::translate("Tooltips", "遥控器所接的串口：%1")
                                    .arg(portlist::systemLocation(ports->currentText())));
    };
    QObject::connect(ports, &QComboBox::currentTextChanged, ports, follow);
    follow();
    window->findChild<QWidget *>("toolButton_led")
        ->setToolTip(QCoreApplication::translate("Tooltips", "连接指示：串口打开时为绿色"));
}

QList<QWidget *> boxesUnder(QWidget *area)
{
    QList<QWidget *> boxes;
    for (QWidget *w : area->findChildren<QAbstractSpinBox *>())
        boxes << w;
    for (QWidget *w : area->findChildren<QComboBox *>())
        boxes << w;
    // Not the text field inside a spin box or an editable combo box.
    for (QWidget *w : area->findChildren<QLineEdit *>())
        if (!qobject_cast<QAbstractSpinBox *>(w->parentWidget()) &&
            !qobject_cast<QComboBox *>(w->parentWidget()))
            boxes << w;
    return boxes;
}

QString boxText(const QWidget *box)
{
    const auto *spin = qobject_cast<const QAbstractSpinBox *>(box);
    return editorText(box->objectName(), !spin || !spin->isReadOnly());
}

// A row label explains what the boxes it labels set or show, in the words of
// their own tooltips' first lines: the boxes on its row to its right, up to
// the next label; where there are none (the outputs page puts the label under
// its value), the box right above it. Rows are known only once the page is
// laid out, so the text is made when the label is first hovered.
class RowLabel : public QObject
{
public:
    RowLabel(QWidget *label, QWidget *area) : QObject(label), area(area)
    {
        label->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *label = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::ToolTip && label->toolTip().isEmpty())
            label->setToolTip(textFor(label));
        return false;
    }

private:
    struct Placed {
        QRect rect;
        QString text; // empty for a label or a box with nothing to say: a row ends there
    };

    QString textFor(QWidget *label) const
    {
        const QRect own(label->mapTo(area, QPoint()), label->size());
        QVector<Placed> row, above;
        for (QWidget *box : boxesUnder(area)) {
            if (box == label || !box->isVisibleTo(area))
                continue;
            const Placed p{QRect(box->mapTo(area, QPoint()), box->size()), boxText(box)};
            if (p.rect.left() >= own.right() && p.rect.center().y() >= own.top() &&
                p.rect.center().y() <= own.bottom())
                row << p;
            else if (!p.text.isEmpty() && p.rect.bottom() <= own.top() &&
                     p.rect.center().x() >= own.left() && p.rect.center().x() <= own.right())
                above << p;
        }
        std::sort(row.begin(), row.end(),
                  [](const Placed &a, const Placed &b) { return a.rect.left() < b.rect.left(); });
        QStringList lines;
        for (const Placed &p : row) {
            if (p.text.isEmpty())
                break;
            const QString line = p.text.section('\n', 0, 0);
            if (!lines.contains(line))
                lines << line;
        }
        if (lines.isEmpty() && !above.isEmpty()) {
            const Placed nearest =
                *std::max_element(above.begin(), above.end(), [](const Placed &a, const Placed &b) {
                    return a.rect.bottom() < b.rect.bottom();
                });
            lines << nearest.text.section('\n', 0, 0);
        }
        return lines.join('\n');
    }

    QWidget *area;
};

// The editors and the boxes that only show, under `area`; the row labels
// among them explain their rows when hovered.
void describeBoxes(QWidget *area)
{
    for (QWidget *box : boxesUnder(area)) {
        const QString text = boxText(box);
        if (!text.isEmpty())
            box->setToolTip(text);
        else if (qobject_cast<QLineEdit *>(box))
            new RowLabel(box, area);
    }
}

} // namespace

QString editorText(const QString &editor, bool editable)
{
    const params::EditorOf shown = params::findEditor(editor);
    // The aux boxes of CH1 to CH4 show a setting the transmitter does not have.
    if (!shown.field && editor.startsWith(QLatin1String("comboBox_AUX")))
        return QCoreApplication::translate("Tooltips", "CH1 至 CH4 由摇杆驱动，没有可选的来源");
    if (!shown.field)
        return textFor(shownValues, editor);
    const params::Field &f = *shown.field;
    QStringList details;
    // A box that only shows a reported value offers no range.
    if (f.choices.isEmpty() && editable)
        details << rangeText(f);
    const QString convention = textFor(conventions, editor);
    if (!convention.isEmpty())
        details << convention;
    QString text = QCoreApplication::translate("params::Field", f.description);
    if (!details.isEmpty())
        text += '\n' + details.join(QCoreApplication::translate("Tooltips", "；"));
    return text;
}

void install(QWidget *window)
{
    describeCommands(window);
    describeLink(window);
    describeBoxes(window->findChild<QWidget *>("frame"));
}

void describePage(QWidget *page) { describeBoxes(page); }

} // namespace tooltips
