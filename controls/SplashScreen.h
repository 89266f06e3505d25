#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QCoreApplication;

// The picture shown in a borderless window over the main window while the program starts.
// It goes away by itself after 750 milliseconds, or at once on a key or mouse button press,
// which it consumes. At most one splash exists at a time.
class CSplashScreen : public QWidget {
    Q_OBJECT
public:
    // Whether ShowSplash may show a splash at all; off until start-up allows it.
    static void EnableSplash(bool bEnable = true);
    // Shows the splash centred over pParentWnd (or the screen while that is not visible),
    // unless splashes are not allowed or one is shown already.
    static void ShowSplash(QWidget* pParentWnd);
    // Every event of the program passes here first while a splash may be shown: a key or
    // mouse button press hides the splash and answers true, meaning the event is consumed.
    static bool SplashPreTranslate(QEvent* event);
    // Makes every event of app pass SplashPreTranslate, as an application event filter.
    static void InstallPreTranslate(QCoreApplication* app);
    // The splash shown now, or null.
    static CSplashScreen* Current();

    // Takes the splash away and repaints the window it was shown over at once.
    void HideSplash();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    explicit CSplashScreen(QWidget* pParentWnd);
    ~CSplashScreen() override;

    bool Create();
    void CenterWindow();

    QPointer<QWidget> m_pOwner;
    QPixmap m_bitmap;
    int m_nTimer = 0;
};
