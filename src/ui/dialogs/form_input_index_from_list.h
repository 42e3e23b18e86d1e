#pragma once
// TFormInputIndexFromList: choice of one line of a text file (the device
// types of "INI\ProgramTypes.ini"). A file that cannot be read gives an
// empty list, and OK then gives -1.

#include "ui/dialogs/form_input_value.h"

#include <QComboBox>

class TFormInputIndexFromList : public TFormInputValue
{
    Q_OBJECT

public:
    TFormInputIndexFromList(const QString &title, const QString &label, int index, const QString &listFile,
                            QWidget *parent = nullptr);

    QComboBox *cmbValue;

    // The chosen item's index (-1: none) after OK, the initial index
    // otherwise.
    int Result() const { return result() == Accepted ? cmbValue->currentIndex() : m_index; }

private:
    int m_index;
};
