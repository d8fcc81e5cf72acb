#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The start-up window shown while the main window is built; with its button shown and the
// loading panel hidden it serves as the About box.
class TSplashScreen : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Splash, About };

    explicit TSplashScreen(Mode mode, QWidget *parent = nullptr);

    static constexpr int FormWidth = 367;
    static constexpr int FormHeight = 231;

    // Shows the About box modally.
    static void showAbout(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void centreOnScreen();

    QFrame *m_bottomPanel = nullptr;
    QPushButton *m_okButton = nullptr;
};
