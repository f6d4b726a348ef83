#include "firstshow.h"

#include <QSet>
#include <QTabWidget>

#include <memory>

void onFirstShow(QTabWidget *tabs, const std::function<void(QWidget *page)> &setUp)
{
    auto done = std::make_shared<QSet<QWidget *>>();
    const auto enter = [tabs, done, setUp](int index) {
        QWidget *page = tabs->widget(index);
        if (page && !done->contains(page)) {
            done->insert(page);
            setUp(page);
        }
    };
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, enter);
    enter(tabs->currentIndex());
}
