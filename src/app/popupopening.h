#pragma once

#include <QObject>

#include <functional>

class QComboBox;

// Runs a function right before a combo box opens its pop-up, by a click or
// by one of the keys that open it, so the list can be brought up to date
// while the box itself stays a plain QComboBox.
class PopupOpening : public QObject
{
public:
    PopupOpening(QComboBox *box, std::function<void()> beforeOpen);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> beforeOpen;
};
