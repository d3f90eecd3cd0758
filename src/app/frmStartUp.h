#pragma once
#include "ui/SharedPictures.h"

#include <QWidget>

// The startup window: never seen, the first window loaded and the last one
// unloaded. Loading it runs the start of the program in its fixed order.
class frmStartUp : public QWidget {
    Q_OBJECT
public:
    frmStartUp();
    ~frmStartUp() override;

    static frmStartUp* Instance();

    // Runs the startup sequence. False when the program must end at once
    // (display check refused, database engine missing).
    bool Form_Load();

    static bool IsStandardDpi();

    // Gives the input focus to the main window when the startup window
    // becomes active; nothing happens when the main window cannot take it.
    void Form_Activate();

    // The hand pointer and close-button pictures every window shares.
    const SharedPictures& sharedPictures() const { return m_pictures; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    SharedPictures m_pictures;
};
