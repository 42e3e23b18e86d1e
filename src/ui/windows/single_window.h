#pragma once
// A window of which at most one is open at a time (the readings, the
// communication window, the poll selection and every window to come):
// opening it again brings the open one forward; Esc closes it; it comes back
// where the operator left it ("INI/WndPos.ini", the section named after the
// window); closing frees it, and the next opening makes a new one.

#include <QWidget>

#include <utility>

class TSingleWindow : public QWidget
{
public:
    // The open window of a class; none while it is closed.
    template <class TForm>
    static TForm *Instance()
    {
        return static_cast<TForm *>(openWindow<TForm>());
    }

    // Creates the window with args when none of its class is open, shows it
    // and brings it forward; 0, or -1 when it could not be made.
    template <class TForm, class... TArgs>
    static int ShowSingle(TArgs &&...args)
    {
        try {
            QWidget *&open = openWindow<TForm>();
            if (!open)
                open = new TForm(std::forward<TArgs>(args)...);
            open->show();
            open->raise();
            return 0;
        } catch (...) {
            return -1;
        }
    }

protected:
    // openSlot: openWindow<TForm>() of the concrete class. name: the object
    // name and the section of the stored position.
    TSingleWindow(QWidget *&openSlot, const QString &name, QWidget *parent, Qt::WindowFlags flags);
    ~TSingleWindow() override;

    // Puts the window where it was last closed; called once the layout has
    // given the window its size.
    void RestorePosition();
    // On closing, before the window is freed: let go of the model and the line.
    virtual void Closing() {}

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    template <class TForm>
    static QWidget *&openWindow()
    {
        static QWidget *open = nullptr;
        return open;
    }

private:
    void forget();

    QWidget *&m_openSlot;
};
