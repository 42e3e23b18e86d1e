#pragma once
// The rows of the parameters window that are "a value with its change link
// and its write button", made from the parameter descriptions: the label,
// the value (an underlined blue link to the main window's change action
// when the value can be changed, plain text otherwise) and the small button
// "Записать в прибор" that runs the write action. Nothing here talks to the
// gauge: the links and buttons execute the main window's actions by name.

#include <QLabel>
#include <QList>

#include <functional>

class QGridLayout;
class QToolButton;
class TMainServices;
class Ttolm472;
struct TParameter;
enum class TParameterPlace : unsigned char;

// A value the operator clicks to change: blue, underlined, a hand cursor;
// grey and inert while disabled.
class TValueLink final : public QLabel
{
public:
    TValueLink(std::function<void()> onClick, QWidget *parent);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::function<void()> m_onClick;
};

// The small button with the hint "Записать в прибор".
QToolButton *MakeWriteButton(const QString &action, TMainServices &services, QWidget *parent);

class TParameterRows
{
public:
    struct TRow {
        const TParameter *Parameter;
        QLabel *Title;
        QLabel *Value;        // a TValueLink when the value can be changed
        QToolButton *Write;   // nullptr without a write action
    };

    explicit TParameterRows(TMainServices &services) : m_services(services) {}

    // Adds the rows of the place, in their order, to grid from its row
    // `firstRow` on (with a line where a row asks for one); returns the
    // next free row. Columns: label, value, write button.
    int AddPlace(TParameterPlace place, QGridLayout &grid, QWidget *parent, int firstRow = 0);

    // Every value from the model.
    void Show(const Ttolm472 &model);
    // The links and write buttons of all rows.
    void SetEditable(bool enabled);
    // The row of a parameter, or nullptr.
    const TRow *Find(const char *name) const;
    const QList<TRow> &Rows() const { return m_rows; }

private:
    TMainServices &m_services;
    QList<TRow> m_rows;
};
