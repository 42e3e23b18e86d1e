#pragma once
// TFormProgressBar: the small window of a long operation (command repeats,
// array reads, training waits). It remembers the text and the number of
// steps it was made with; each new step moves the bar and shows the text
// and the percentage in its caption.

#include <QProgressBar>
#include <QWidget>

class TFormProgressBar : public QWidget
{
    Q_OBJECT

public:
    // closable: with a close box, for an operation that may stop early.
    TFormProgressBar(const QString &text, int total, bool closable = false);

    QProgressBar *pbProgress;

    QString Text() const { return m_text; }
    int Total() const { return m_total; }
    // Moves the bar to step of the remembered total; true when the bar's
    // position changed (the caption then reads text, blank, percentage, "%").
    bool SetStep(int step);
    // Shows the window without taking the input from the window in use.
    void ShowInactive();

signals:
    // The close box, Alt+F4: the operation may stop early. (The program
    // deletes the window when the operation ends; that is no close.)
    void ClosedByOperator();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString m_text;
    int m_total;
};
