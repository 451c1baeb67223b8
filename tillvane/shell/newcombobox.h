#pragma once

#include <QComboBox>

// A combo box that announces, just before its list opens, that the list is
// about to be shown, so its owner can refill it with what is present now.
class NewComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void showList();
};
