#include "newcombobox.h"

void NewComboBox::showPopup()
{
    emit showList();
    QComboBox::showPopup();
}
