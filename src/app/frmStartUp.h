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

    // The hand pointer and close-button pictures every window shares.
    const SharedPictures& sharedPictures() const { return m_pictures; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    SharedPictures m_pictures;
};
