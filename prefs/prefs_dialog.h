#pragma once

#include "prefs/preferences.h"

#include <array>
#include <functional>
#include <QDialog>
#include <QLabel>
#include <QPointer>

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
struct Services;

// A label for a long path: it shows as much of the path as fits, eliding the middle, and the whole path
// in its tooltip. text() stays the whole path.
class PathLabel final : public QLabel {
    Q_OBJECT

public:
    explicit PathLabel(QWidget* parent = nullptr);
    void setPath(const QString& path);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The preferences dialog. It shows the stored record when it is created and, on OK, stores what it shows
// and runs refresh so that the main window applies it. While it is shown the main window is hidden; it is
// shown again however the dialog ends.
class Prefs final : public QDialog {
    Q_OBJECT

public:
    Prefs(Services& services, std::function<void()> refresh, QWidget* mainWindow = nullptr);
    ~Prefs() override;

    // Storage.
    QCheckBox* Check1 = nullptr; // "Automatically Store Data Base on Jan 1st"
    QCheckBox* Check2 = nullptr; // "Use Year as Filename for DB Storage"
    QLineEdit* Text2 = nullptr;  // storage file name
    QPushButton* Command2 = nullptr;
    // Back-up.
    QCheckBox* Check3 = nullptr; // "Back Up Data Base monthly"
    PathLabel* Label1 = nullptr; // back-up file path
    QPushButton* Command1 = nullptr;
    // Options.
    QCheckBox* Check5 = nullptr; // "Disable Delete"
    QCheckBox* Check7 = nullptr; // "Allow Duplicated Confirmation Numbers"
    QCheckBox* Check8 = nullptr; // "Never Show Passwords"
    QCheckBox* Check6 = nullptr; // "Always On Top At Launch"
    QCheckBox* Check4 = nullptr; // "Auto Shut Down"
    QLineEdit* Text1 = nullptr;  // minutes
    QLabel* Label2 = nullptr;    // "min"
    // Password and the security breach log.
    QCheckBox* Check13 = nullptr;    // "Password Required to Start Quorvane"
    QCheckBox* Check10 = nullptr;    // "Preferences Requires Password"
    QLineEdit* Text3 = nullptr;      // the password
    QCheckBox* Check11 = nullptr;    // "mask"
    QLabel* Label4 = nullptr;        // "Security breach log"
    QPushButton* Command6 = nullptr; // "Delete"
    QPushButton* Command7 = nullptr; // "Show"
    // Focus aids.
    QCheckBox* Check12 = nullptr;              // "Use focus aids"
    std::array<QPushButton*, 2> Command5 = {}; // "No focus", "Focus"
    // The rest.
    QCheckBox* Check9 = nullptr;     // "Never Show This Screen Again"
    QPushButton* Command3 = nullptr; // "&Ok"
    QPushButton* Command4 = nullptr; // "&Cancel"

    // The back colour of a colour button, a Windows RGB value as stored.
    int BackColor(int index) const { return m_backColor.at(size_t(index)); }
    void setBackColor(int index, int rgb);

    // What the controls hold, as the record stores it.
    PreferenceValues values() const;
    // Sets the controls from stored items, by key and in record order, so that each check box's rule runs
    // as its item is applied.
    void FillPreferencesDialog(const QStringList& items);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void Form_Load();
    void showMainWindow();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click(int index);
    void Command6_Click();
    void Command7_Click();
    void Check2_Click();
    void Check9_Click();
    void Check10_Click();
    void Check11_Click();
    void Check12_Click();
    void Check13_Click();
    void Text1_LostFocus();

    Services& m_services;
    std::function<void()> m_refresh;
    QPointer<QWidget> m_mainWindow;
    bool m_hidMainWindow = false;
    std::array<int, 2> m_backColor = {255, 49152};
    QFrame* m_focusBand = nullptr;
};
