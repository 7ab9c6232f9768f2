#include "prefs/prefs_dialog.h"

#include "platform/program_exit.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/windows_rgb.h"
#include "prefs/asterisk_style.h"
#include "prefs/prefs_rules.h"
#include "store/data_folder.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString NeverShowWarning =
    QStringLiteral("If you mark this option you will not be able to modify settings in the future\r\n"
                   "In the event you need to make changes, a new installation will be needed to reset this mark");

// Keeps out of a box, as they are typed or pasted, the characters the preferences record cannot hold.
// clean drops characters silently; what permits still refuses is undone with the program's message.
class TextGuard final : public QObject {
public:
    TextGuard(QLineEdit* box, Prompter& prompter, std::function<bool(const QString&)> permits,
              std::function<QString(const QString&)> clean = {})
        : QObject(box)
        , m_box(box)
        , m_prompter(prompter)
        , m_permits(std::move(permits))
        , m_clean(std::move(clean))
        , m_accepted(box->text()) {
        connect(box, &QLineEdit::textEdited, this, [this](const QString& text) { onEdited(text); });
        // Text put in by the dialog itself (the stored record) is taken as it stands.
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (m_permits(text))
                m_accepted = text;
        });
    }

private:
    void onEdited(const QString& text) {
        const QString kept = m_clean ? m_clean(text) : text;
        if (m_permits(kept)) {
            if (kept != text)
                replaceText(kept, int(text.size() - kept.size()));
            m_accepted = kept;
            return;
        }
        replaceText(m_accepted, int(text.size() - m_accepted.size()));
        m_prompter.inform(QStringLiteral("Character not permited"));
    }

    void replaceText(const QString& text, int removed) {
        const int cursor = m_box->cursorPosition() - removed;
        m_box->setText(text);
        m_box->setCursorPosition(std::max(0, cursor));
    }

    QLineEdit* m_box;
    Prompter& m_prompter;
    std::function<bool(const QString&)> m_permits;
    std::function<QString(const QString&)> m_clean;
    QString m_accepted;
};

QCheckBox* checkBox(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    return push;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The record keeps a box's state as 0 unchecked, 1 checked and 2 grey.
int stateOf(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

void setState(QCheckBox* box, int state) {
    box->setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

// Dark text on light colours, light text on dark ones.
bool isLight(const QColor& color) {
    return 299 * color.red() + 587 * color.green() + 114 * color.blue() > 140000;
}

} // namespace

PathLabel::PathLabel(QWidget* parent)
    : QLabel(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMargin(2);
    setIndent(3);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PathLabel::setPath(const QString& path) {
    setText(path);
    setToolTip(path);
    setAccessibleDescription(path);
    update();
}

QSize PathLabel::sizeHint() const {
    const int frame = 2 * (frameWidth() + margin());
    return {fontMetrics().averageCharWidth() * 36 + frame + indent(), fontMetrics().height() + frame + 4};
}

QSize PathLabel::minimumSizeHint() const {
    const QSize hint = sizeHint();
    return {fontMetrics().averageCharWidth() * 12, hint.height()};
}

void PathLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin() + indent(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shown,
                          foregroundRole());
}

Prefs::Prefs(Services& services, std::function<void()> refresh, QWidget* mainWindow)
    : QDialog(mainWindow)
    , m_services(services)
    , m_refresh(std::move(refresh))
    , m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("Prefs"));
    setWindowTitle(QStringLiteral("Preferences - Quorvane"));
    buildControls();
    buildLayout();
    Form_Load();
}

Prefs::~Prefs() {
    // Taken down while still shown: the main window must not stay hidden.
    showMainWindow();
}

void Prefs::buildControls() {
    Check1 = checkBox(QStringLiteral("Check1"), QStringLiteral("Automatically Store Data Base on Jan 1st"), this);
    Check2 = checkBox(QStringLiteral("Check2"), QStringLiteral("Use Year as Filename for DB Storage"), this);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("File name"));
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Browse"), this);
    Command2->setToolTip(QStringLiteral("Browse for the storage filename"));
    Command2->setAccessibleName(Command2->toolTip());

    Check3 = checkBox(QStringLiteral("Check3"), QStringLiteral("Back Up Data Base monthly"), this);
    Label1 = new PathLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Back-up file"));
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Browse"), this);
    Command1->setToolTip(QStringLiteral("Browse for the back-up file"));
    Command1->setAccessibleName(Command1->toolTip());

    Check5 = checkBox(QStringLiteral("Check5"), QStringLiteral("Disable Delete"), this);
    Check7 = checkBox(QStringLiteral("Check7"), QStringLiteral("Allow Duplicated Confirmation Numbers"), this);
    Check8 = checkBox(QStringLiteral("Check8"), QStringLiteral("Never Show Passwords"), this);
    Check6 = checkBox(QStringLiteral("Check6"), QStringLiteral("Always On Top At Launch"), this);
    Check4 = checkBox(QStringLiteral("Check4"), QStringLiteral("Auto Shut Down"), this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Auto Shut Down minutes"));
    Text1->setAlignment(Qt::AlignRight);
    Text1->setFixedWidth(Text1->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    Label2 = new QLabel(QStringLiteral("min"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(Text1);

    Check13 = checkBox(QStringLiteral("Check13"), QStringLiteral("Password Required to Start Quorvane"), this);
    Check10 = checkBox(QStringLiteral("Check10"), QStringLiteral("Preferences Requires Password"), this);
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(QStringLiteral("Password"));
    auto* asterisks = new AsteriskStyle;
    asterisks->setParent(Text3);
    Text3->setStyle(asterisks);
    Check11 = checkBox(QStringLiteral("Check11"), QStringLiteral("mask"), this);
    Label4 = new QLabel(QStringLiteral("Security breach log"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Command6 = button(QStringLiteral("Command6"), QStringLiteral("Delete"), this);
    Command6->setToolTip(QStringLiteral("Delete the security breach log"));
    Command6->setAccessibleName(Command6->toolTip());
    Command7 = button(QStringLiteral("Command7"), QStringLiteral("Show"), this);
    Command7->setToolTip(QStringLiteral("Show the security breach log"));
    Command7->setAccessibleName(Command7->toolTip());

    Check12 = checkBox(QStringLiteral("Check12"), QStringLiteral("Use focus aids"), this);
    Command5[0] = button(QStringLiteral("Command5(0)"), QStringLiteral("No focus"), this);
    Command5[1] = button(QStringLiteral("Command5(1)"), QStringLiteral("Focus"), this);

    Check9 = checkBox(QStringLiteral("Check9"), QStringLiteral("Never Show This Screen Again"), this);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("&Ok"), this);
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("&Cancel"), this);
    Command3->setDefault(true);

    // Rules that hold the dependent controls to their check boxes; they run on every change of state, also
    // when the stored record sets a box.
    connect(Check2, &QCheckBox::stateChanged, this, &Prefs::Check2_Click);
    connect(Check10, &QCheckBox::stateChanged, this, &Prefs::Check10_Click);
    connect(Check11, &QCheckBox::stateChanged, this, &Prefs::Check11_Click);
    connect(Check12, &QCheckBox::stateChanged, this, &Prefs::Check12_Click);
    connect(Check13, &QCheckBox::stateChanged, this, &Prefs::Check13_Click);
    // The warning answers the user's own click, by mouse or keyboard, not the record being shown.
    connect(Check9, &QCheckBox::clicked, this, &Prefs::Check9_Click);

    connect(Command1, &QPushButton::clicked, this, &Prefs::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Prefs::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Prefs::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Prefs::reject);
    connect(Command5[0], &QPushButton::clicked, this, [this] { Command5_Click(0); });
    connect(Command5[1], &QPushButton::clicked, this, [this] { Command5_Click(1); });
    connect(Command6, &QPushButton::clicked, this, &Prefs::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Prefs::Command7_Click);
    Text1->installEventFilter(this);

    Prompter& prompter = m_services.prompter;
    new TextGuard(Text1, prompter, PrefsRules::storableText);
    new TextGuard(Text2, prompter, PrefsRules::storableStorageName);
    new TextGuard(Text3, prompter, PrefsRules::storableText, PrefsRules::withoutPasswordSeparators);

    // The design state: every rule applied once, so that no dependent control disagrees with its box.
    Check1->setChecked(true);
    Check2->setChecked(true);
    Check3->setChecked(true);
    Text1->setText(QStringLiteral("10"));
    Check7->setChecked(true);
    Check6->setChecked(true);
    Check11->setChecked(true);
    Check12->setChecked(true);
    Check2_Click();
    Check10_Click();
    Check11_Click();
    Check12_Click();
    Check13_Click();
    setBackColor(0, 255);
    setBackColor(1, 49152);
}

void Prefs::buildLayout() {
    auto* storage = new QGroupBox(QStringLiteral("Storage"), this);
    auto* storageGrid = new QGridLayout(storage);
    storageGrid->addWidget(Check1, 0, 0, 1, 3);
    storageGrid->addWidget(Check2, 1, 0, 1, 3);
    storageGrid->addWidget(caption(QStringLiteral("File &name:"), Text2, storage), 2, 0);
    storageGrid->addWidget(Text2, 2, 1);
    storageGrid->addWidget(Command2, 2, 2);
    storageGrid->setColumnStretch(1, 1);

    auto* backup = new QGroupBox(QStringLiteral("Back-up"), this);
    auto* backupGrid = new QGridLayout(backup);
    backupGrid->addWidget(Check3, 0, 0, 1, 3);
    backupGrid->addWidget(caption(QStringLiteral("Back-up &file:"), Command1, backup), 1, 0);
    backupGrid->addWidget(Label1, 1, 1);
    backupGrid->addWidget(Command1, 1, 2);
    backupGrid->setColumnStretch(1, 1);

    // The labels of both groups take the same width, so that the boxes beside them line up.
    const int labelWidth = std::max(storageGrid->itemAtPosition(2, 0)->widget()->sizeHint().width(),
                                    backupGrid->itemAtPosition(1, 0)->widget()->sizeHint().width());
    storageGrid->setColumnMinimumWidth(0, labelWidth);
    backupGrid->setColumnMinimumWidth(0, labelWidth);
    const int browseWidth = std::max(Command1->sizeHint().width(), Command2->sizeHint().width());
    Command1->setFixedWidth(browseWidth);
    Command2->setFixedWidth(browseWidth);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionsBox = new QVBoxLayout(options);
    for (QCheckBox* box : {Check5, Check7, Check8, Check6})
        optionsBox->addWidget(box);
    auto* shutDown = new QHBoxLayout;
    shutDown->addWidget(Check4);
    shutDown->addSpacing(8);
    shutDown->addWidget(Text1);
    shutDown->addWidget(Label2);
    shutDown->addStretch(1);
    optionsBox->addLayout(shutDown);
    optionsBox->addStretch(1);

    auto* password = new QGroupBox(QStringLiteral("Password"), this);
    auto* passwordGrid = new QGridLayout;
    passwordGrid->addWidget(Check13, 0, 0, 1, 3);
    passwordGrid->addWidget(Check10, 1, 0, 1, 3);
    passwordGrid->addWidget(caption(QStringLiteral("Pass&word:"), Text3, password), 2, 0);
    passwordGrid->addWidget(Text3, 2, 1);
    passwordGrid->addWidget(Check11, 2, 2);
    passwordGrid->setColumnStretch(1, 1);
    passwordGrid->setColumnMinimumWidth(0, labelWidth);
    auto* divider = new QFrame(password);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    auto* breachButtons = new QHBoxLayout;
    breachButtons->addWidget(Command6);
    breachButtons->addWidget(Command7);
    breachButtons->addStretch(1);
    auto* breachLog = new QVBoxLayout;
    breachLog->addWidget(Label4);
    breachLog->addLayout(breachButtons);
    breachLog->addStretch(1);
    auto* passwordRow = new QHBoxLayout(password);
    passwordRow->addLayout(passwordGrid, 3);
    passwordRow->addSpacing(6);
    passwordRow->addWidget(divider);
    passwordRow->addSpacing(6);
    passwordRow->addLayout(breachLog, 2);

    // The focus aids sit on a grey band of their own, the colour buttons showing their colours.
    m_focusBand = new QFrame(this);
    m_focusBand->setObjectName(QStringLiteral("focusBand"));
    m_focusBand->setAutoFillBackground(true);
    m_focusBand->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    QPalette band = m_focusBand->palette();
    band.setColor(QPalette::Window, palette().color(QPalette::Window).darker(112));
    m_focusBand->setPalette(band);
    auto* bandRow = new QHBoxLayout(m_focusBand);
    bandRow->setContentsMargins(10, 6, 10, 6);
    bandRow->addWidget(Check12);
    bandRow->addStretch(1);
    bandRow->addWidget(Command5[0]);
    bandRow->addWidget(Command5[1]);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Check9);
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    const int buttonWidth = std::max({Command3->sizeHint().width(), Command4->sizeHint().width(), 80});
    Command3->setFixedWidth(buttonWidth);
    Command4->setFixedWidth(buttonWidth);

    auto* columns = new QGridLayout;
    columns->addWidget(storage, 0, 0);
    columns->addWidget(backup, 1, 0);
    columns->addWidget(options, 0, 1, 2, 1);
    columns->addWidget(password, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_focusBand);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Keyboard order: group by group, top to bottom and left to right, then the buttons.
    const QList<QWidget*> order = {Check1,   Check2,   Text2,   Command2,    Check3,      Command1, Check5,   Check7,
                                   Check8,   Check6,   Check4,  Text1,       Check13,     Check10,  Text3,    Check11,
                                   Command6, Command7, Check12, Command5[0], Command5[1], Check9,   Command3, Command4};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    Check1->setFocus();
}

void Prefs::Form_Load() {
    Label1->setPath(PrefsRules::defaultBackupPath());
    FillPreferencesDialog(Preferences::readItems(m_services.settings));
}

void Prefs::FillPreferencesDialog(const QStringList& items) {
    const QHash<QString, QCheckBox*> checks = {
        {QStringLiteral("Jan1="), Check1},  {QStringLiteral("UsYr="), Check2},  {QStringLiteral("MnBK="), Check3},
        {QStringLiteral("DBdl="), Check5},  {QStringLiteral("Shut="), Check4},  {QStringLiteral("Dupl="), Check7},
        {QStringLiteral("NPas="), Check8},  {QStringLiteral("ontp="), Check6},  {QStringLiteral("Nprf="), Check9},
        {QStringLiteral("Pass="), Check10}, {QStringLiteral("PssL="), Check13},
    };
    const QString passwordKey = Preferences::keys().constLast();
    const QList<Preferences::KeyedItem> keyed = Preferences::keyedItems(items);
    for (const Preferences::KeyedItem& item : keyed) {
        if (QCheckBox* box = checks.value(item.key)) {
            setState(box, item.number.value_or(0));
        } else if (item.key == u"JanN=") {
            Text2->setText(item.text);
        } else if (item.key == u"MBKF=") {
            Label1->setPath(item.text);
        } else if (item.key == u"ShTm=") {
            Text1->setText(item.text);
        } else if (item.key == u"NoFo=") {
            setBackColor(0, item.number.value_or(255));
        } else if (item.key == u"SiFo=") {
            setBackColor(1, item.number.value_or(49152));
        } else if (item.key == u"Aids=") {
            setState(Check12, item.number.value_or(0));
            Check12_Click();
        } else if (item.key == passwordKey) {
            Text3->setText(item.text);
            Check11->setChecked(true);
        }
    }
}

PreferenceValues Prefs::values() const {
    PreferenceValues values;
    values.Jan1 = stateOf(Check1);
    values.UsYr = stateOf(Check2);
    values.JanN = Text2->text();
    values.MnBK = stateOf(Check3);
    values.MBKF = Label1->text();
    values.DBdl = stateOf(Check5);
    values.Shut = stateOf(Check4);
    values.ShTm = Text1->text();
    values.Dupl = stateOf(Check7);
    values.NPas = stateOf(Check8);
    values.ontp = stateOf(Check6);
    values.Nprf = stateOf(Check9);
    values.Pass = stateOf(Check10);
    values.Aids = stateOf(Check12);
    values.NoFo = m_backColor[0];
    values.SiFo = m_backColor[1];
    values.PssL = stateOf(Check13);
    values.password = Text3->text();
    return values;
}

void Prefs::setBackColor(int index, int rgb) {
    m_backColor.at(size_t(index)) = rgb;
    const QColor color = fromWindowsRgb(rgb);
    const bool light = isLight(color);
    Command5.at(size_t(index))
        ->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid %3;"
                           " border-radius: 3px; padding: 4px 14px; min-width: 64px; }"
                           " QPushButton:focus { border: 2px solid palette(highlight); }"
                           " QPushButton:pressed { background-color: %4; }"
                           " QPushButton:disabled { color: %5; }")
                .arg(color.name(), light ? QStringLiteral("black") : QStringLiteral("white"), color.darker(150).name(),
                     color.darker(120).name(),
                     light ? QStringLiteral("rgba(0, 0, 0, 100)") : QStringLiteral("rgba(255, 255, 255, 120)")));
}

void Prefs::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_mainWindow && m_mainWindow->isVisible()) {
        m_mainWindow->hide();
        m_hidMainWindow = true;
    }
}

void Prefs::hideEvent(QHideEvent* event) {
    // Minimised by the desktop, the dialog is still open: the main window stays hidden.
    if (!event->spontaneous())
        showMainWindow();
    QDialog::hideEvent(event);
}

void Prefs::showMainWindow() {
    if (!m_hidMainWindow)
        return;
    m_hidMainWindow = false;
    // The program ending hides every window; the main window must not come back then.
    if (m_mainWindow && !m_services.exit.requested())
        m_mainWindow->show();
}

bool Prefs::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::FocusOut) {
        // Switching to another program is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text1_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void Prefs::Text1_LostFocus() {
    const QString minutes = PrefsRules::minutesText(Text1->text());
    if (minutes != Text1->text())
        Text1->setText(minutes);
}

void Prefs::Check2_Click() {
    const bool dated = Check2->checkState() == Qt::Checked;
    if (dated)
        Text2->clear();
    Text2->setEnabled(!dated);
    Command2->setEnabled(!dated);
}

void Prefs::Check9_Click() {
    m_services.prompter.ask(
        {NeverShowWarning, QStringLiteral("Warning!!!"), Prompt::Buttons::Ok, Prompt::Icon::Exclamation});
}

void Prefs::Check10_Click() {
    if (Check10->checkState() == Qt::Checked) {
        Check11->setEnabled(true);
        Text3->setEnabled(true);
    } else if (Check13->checkState() != Qt::Checked) {
        Text3->clear();
        Text3->setEnabled(false);
        Check11->setEnabled(false);
    }
}

void Prefs::Check11_Click() {
    Text3->setEchoMode(Check11->checkState() == Qt::Checked ? QLineEdit::Password : QLineEdit::Normal);
}

void Prefs::Check12_Click() {
    const bool aids = Check12->checkState() == Qt::Checked;
    Command5[0]->setEnabled(aids);
    Command5[1]->setEnabled(aids);
}

void Prefs::Check13_Click() {
    if (Check13->checkState() == Qt::Checked) {
        Check11->setEnabled(true);
        Text3->setEnabled(true);
        // The start password is the preferences' password too.
        Check10->setChecked(true);
    } else if (Check10->checkState() != Qt::Checked) {
        Text3->setEnabled(false);
        Text3->clear();
    }
}

void Prefs::Command1_Click() {
    const QString current = Label1->text();
    Prompt::FileRequest request;
    request.title = QStringLiteral("Back Up Data Base to");
    request.filter = QStringLiteral("Back-up files (*.bak);;All files (*)");
    if (current.isEmpty() || current.endsWith(u'/') || current.endsWith(u'\\')) {
        request.directory = current.isEmpty() ? GetSpecialFolderPath(SpecialFolder::Documents) : current;
        request.suggestedName = QStringLiteral("ipdb.bak");
    } else {
        const QFileInfo file(current);
        request.directory = file.absolutePath();
        request.suggestedName = file.fileName();
    }
    // A file that need not exist yet: the back-up creates it.
    const QString chosen = m_services.prompter.saveFile(request);
    if (chosen.isEmpty())
        return;
    if (!PrefsRules::storableText(chosen)) {
        m_services.prompter.inform(QStringLiteral("Character not permited"));
        return;
    }
    Label1->setPath(chosen);
}

void Prefs::Command2_Click() {
    Prompt::FileRequest request;
    request.title = QStringLiteral("Storage Filename");
    request.directory = ProgramFiles(m_services.programFolder).DataFolder();
    request.filter = QStringLiteral("Data base (*.db);;All files (*)");
    const QString chosen = m_services.prompter.openFile(request);
    if (chosen.isEmpty())
        return;
    // The storage copy always lands in the data folder: only the name is kept, a full path could never
    // be stored under.
    const QString name = QFileInfo(chosen).fileName();
    if (!PrefsRules::storableStorageName(name)) {
        m_services.prompter.inform(QStringLiteral("Character not permited"));
        return;
    }
    Text2->setText(name);
}

void Prefs::Command3_Click() {
    if (Text2->text().isEmpty() && Check2->checkState() != Qt::Checked) {
        const Prompt::Answer answer = m_services.prompter.ask(
            {QStringLiteral("No value assigned for Storage Filename. Click Ok to keep the default filename"),
             QStringLiteral("Configuration Error"), Prompt::Buttons::OkCancel, Prompt::Icon::None});
        if (answer != Prompt::Answer::Ok)
            return;
        Check2->setChecked(true);
    }
    PreferenceValues values = this->values();
    const bool saved = SavePreferences(m_services.settings, m_services.prompter, values, m_refresh);
    Text1->setText(values.ShTm);
    // Not stored: the dialog stays open, so that nothing the user set is lost.
    if (!saved)
        return;
    accept();
}

void Prefs::Command5_Click(int index) {
    // Cancelled, the button keeps its colour.
    if (const std::optional<int> chosen = m_services.prompter.chooseColor(BackColor(index)))
        setBackColor(index, *chosen);
}

void Prefs::Command6_Click() {
    if (PrefsRules::DeleteBreachLog(ProgramFiles(m_services.programFolder)))
        m_services.prompter.ask({QStringLiteral("Action successful")});
    else
        m_services.prompter.fail(QStringLiteral("Failed to delete"), Prompt::programTitle());
}

void Prefs::Command7_Click() {
    const ProgramFiles files(m_services.programFolder);
    if (PrefsRules::breachLogExists(files))
        m_services.shell.open(QUrl::fromLocalFile(files.breachLog()));
    else
        m_services.prompter.inform(QStringLiteral("Failed to open"));
}
