#pragma once

#include <array>
#include <functional>
#include <QWidget>

class CaptionLabel;
class Shell;

// The splash window: the program's name, version and maker. A click shows the main window. The same
// window serves as About.
class Splash final : public QWidget {
    Q_OBJECT

public:
    // onShowMain runs once, at the first click; without it the window is the About window and a click
    // closes it.
    Splash(Shell& shell, std::function<void()> onShowMain, QWidget* parent = nullptr);

    std::array<CaptionLabel*, 2> Label1{}; // 0 subtitle, 1 version
    CaptionLabel* Label3 = nullptr;        // "for payments online "
    CaptionLabel* Label4 = nullptr;        // the maker
    std::array<CaptionLabel*, 3> images{}; // Image2, Image4, Image5

    static QString versionText();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowMainWindow();

    Shell& m_shell;
    std::function<void()> m_onShowMain;
    bool m_shown = false;
};

// The program's picture, drawn rather than loaded so it is sharp at every scale.
void paintProgramPicture(class QPainter& painter, const QRectF& box);
