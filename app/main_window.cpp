#include "app/main_window.h"

#include "app/caption_label.h"
#include "app/character_guard.h"
#include "app/detail_captions.h"
#include "app/entry_area.h"
#include "app/grid_area.h"
#include "app/housekeeping.h"
#include "app/main_menus.h"
#include "app/main_rules.h"
#include "app/record_entry.h"
#include "app/splash.h"
#include "app/storage_commands.h"
#include "app/toolbar_icons.h"
#include "app/twips.h"
#include "platform/clock.h"
#include "platform/program_exit.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/windows_rgb.h"
#include "prefs/preferences.h"
#include "prefs/settings_command.h"
#include "reports/reports_window.h"
#include "store/creditor_list.h"
#include "store/date_text.h"
#include "store/log_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QWindow>

namespace {

QFrame* focusPanel(const QString& name, const QRect& geometry, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    return panel;
}

} // namespace

MainWindow::MainWindow(Services& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_files(services.programFolder) {
    setObjectName(QStringLiteral("mainfrm"));
    setWindowTitle(QStringLiteral("Quorvane"));
    buildAreas();
}

MainWindow::~MainWindow() {
    // The areas' controllers watch the widgets' events and reach into the areas and the grid's records. The
    // widgets go only after this body (and the records before them), and a widget being destroyed still
    // sends events: the controllers go first, so that none of them answers from a half-destroyed window.
    delete m_housekeeping;
    delete m_captions;
    delete m_gridArea;
    delete m_recordEntry;
    delete m_storage;
}

void MainWindow::buildMenus(QWidget& strip) {
    MainMenus::Commands commands;
    commands.addCreditor = [this] { AddCreditor(); };
    commands.addRecord = [this] { AddPaymentRecord(); };
    commands.remove = [this] { RemovePaymentRecord(); };
    commands.backup = [this] { m_storage->Savemnu_Click(); };
    commands.recover = [this] { m_storage->Rcovermnu_Click(); };
    commands.settings = [this] { openSettings(); };
    commands.onTop = [this] { chooseAlwaysOnTop(); };
    commands.expand = [this] { ExpandWindow(); };
    commands.shrink = [this] { ShrinkWindow(); };
    commands.reports = [this] { showReports(); };
    commands.help = [this] { openHelp(); };
    commands.about = [this] { showAbout(); };
    commands.exit = [this] { m_services.exit.exit(0); };
    m_menus = new MainMenus(*this, strip, commands);
    m_menus->Toolbar1->move(0, 2);
}

void MainWindow::buildAreas() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMouseTracking(true);
    // The areas stand at fixed places; a shorter window simply shows fewer of them.
    client->setMinimumSize(twips(7230), 0);
    setCentralWidget(client);
    setMouseTracking(true);

    // The focus aids lie behind the areas and show only as a coloured border around them.
    topBack = focusPanel(QStringLiteral("topBack"), twipsRect(15, 1050, 7200, 2175), client);
    SortBack = focusPanel(QStringLiteral("SortBack"), twipsRect(15, 3225, 7200, 280), client);
    GridBack = focusPanel(QStringLiteral("GridBack"), twipsRect(15, 3510, 7200, 2595), client);

    auto* strip = new QWidget(client);
    strip->setObjectName(QStringLiteral("Picture1"));
    strip->setGeometry(twipsRect(-45, 15, 7260, 870));
    buildMenus(*strip);
    Picture2 = new CaptionLabel(QString(), strip);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setToolTip(QStringLiteral("Quit Quorvane"));
    Picture2->setAccessibleName(QStringLiteral("Quit Quorvane"));
    Picture2->setGeometry(twipsRect(6600, 285, 480, 465));
    Picture2->setPixmap(ToolbarIcons::icon(ToolbarIcons::Picture::Quit).pixmap(26, 26));
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setCursor(Qt::PointingHandCursor);
    connect(Picture2, &CaptionLabel::clicked, this, [this] { m_services.exit.exit(0); });
    m_menus->fitToolbar(Picture2->x());

    m_entry = new EntryArea(client);
    m_entry->move(twips(75), twips(990));
    m_details = new DetailsArea(client);
    m_details->move(twips(75), twips(2070));

    FlexGr = new QTableView(client);
    FlexGr->setObjectName(QStringLiteral("FlexGr"));
    FlexGr->setAccessibleName(QStringLiteral("Payments"));
    FlexGr->setGeometry(twipsRect(75, 3210, 7080, 2835));
    FlexGr->setModel(&m_grid);
    FlexGr->verticalHeader()->hide();
    FlexGr->setSelectionMode(QAbstractItemView::SingleSelection);
    FlexGr->setSelectionBehavior(QAbstractItemView::SelectItems);
    FlexGr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FlexGr->setWordWrap(false);
    FlexGr->setAlternatingRowColors(true);
    FlexGr->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont gridFont = FlexGr->font();
    gridFont.setPointSizeF(gridFont.pointSizeF() * 0.9);
    FlexGr->setFont(gridFont);
    FlexGr->setTabKeyNavigation(false);
    FlexGr->verticalHeader()->setDefaultSectionSize(FlexGr->fontMetrics().height() + 6);
    FlexGr->horizontalHeader()->setFixedHeight(twips(280) + 1);
    FlexGr->horizontalHeader()->setHighlightSections(false);
    connect(FlexGr->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            m_grid.setCurrentCell(current.row() + 1, current.column());
    });
    connect(&m_grid, &PaymentGrid::currentCellChanged, this, &MainWindow::syncGridCurrentCell);

    // What the files cannot carry is refused as it is typed.
    new CharacterGuard(m_entry->Combo1->lineEdit(), m_services.prompter, TextCodec::Field::NoSeparator);
    new CharacterGuard(m_details->Text2[0], m_services.prompter, TextCodec::Field::Free);
    new CharacterGuard(m_details->Text2[1], m_services.prompter, TextCodec::Field::NoSeparator);
    new CharacterGuard(m_details->Text2[2], m_services.prompter, TextCodec::Field::NoSeparator);
    new CharacterGuard(m_entry->Text1[3], m_services.prompter, TextCodec::Field::Free);

    setFixedWidth(twips(7230));
    resize(width(), menuBar()->sizeHint().height() + twips(6120));

    m_recordEntry = new RecordEntry(*m_entry, *m_details, m_grid, m_prefs, List1, m_files, m_services, this);
    connect(m_recordEntry, &RecordEntry::entryFocused, this, [this] {
        if (m_prefs.isOn(PrefItems::Aids))
            ShowFocusAids(false);
    });
    m_gridArea = new GridArea(*FlexGr, m_grid, m_prefs, m_files, m_services, this);
    connect(m_gridArea, &GridArea::gridFocusChanged, this, &MainWindow::ShowFocusAids);
    m_captions = new DetailCaptions(*m_entry, *m_details, m_prefs, m_services.shell, this);

    m_storage = new StorageCommands(m_grid, m_files, m_prefs, m_services, this);
    // While the grid shows a stored copy, the log is kept before the grid may replace it.
    m_gridArea->beforeRewrite = [this] { return m_storage->keepLogBeforeRewrite(); };
    connect(m_storage, &StorageCommands::titleNoteChanged, this, [this](const QString& note) {
        m_titleNote = note;
        setWindowTitle(titleText(windowTitle().startsWith(QStringLiteral("Quorvane - "))));
    });
    m_housekeeping = new Housekeeping(m_services, m_prefs, m_grid, *m_storage,
                                      {m_entry->Combo1, m_entry->Text1[2], m_entry->Text1[3]}, this);
    m_housekeeping->setAddEntries(m_menus->item(QStringLiteral("creditor")), m_menus->item(QStringLiteral("record")));
    m_housekeeping->setWindowActions(
        [this] {
            if (!isOnTop())
                ToggleAlwaysOnTop();
        },
        [this] { ApplyWindowPreferences(); });
}

void MainWindow::syncGridCurrentCell(int row, int column) {
    const QModelIndex index = m_grid.index(row - 1, column);
    if (index.isValid() && FlexGr->currentIndex() != index)
        FlexGr->setCurrentIndex(index);
}

void MainWindow::SetUpPaymentGrid() {
    QHeaderView* header = FlexGr->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->resizeSection(PaymentGrid::Creditor, twips(2000));
    // The design widths assume a narrower font than the desktop's: a date must still fit whole.
    const int dateWidth = FlexGr->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + 12;
    header->resizeSection(PaymentGrid::Date, std::max(twips(1000), dateWidth));
    header->resizeSection(PaymentGrid::Payment, twips(1000));
    header->resizeSection(PaymentGrid::Confirmation, twips(2000));
    // The empty fifth column fills the rest of the grid's width.
    header->setStretchLastSection(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void MainWindow::Form_Load() {
    FocusColor = 65280;
    NoFocusColor = 255;
    for (int k = 0; k <= 12; ++k)
        m_prefs[k] = QStringLiteral("0");
    ApplyWindowPreferences();

    m_entry->DTPicker1->setDisplayFormat(DateText::displayFormat());
    m_entry->DTPicker1->setDate(m_services.clock.today());
    m_entry->Text1[1]->setText(DateText::format(m_entry->DTPicker1->date()));

    SetUpPaymentGrid();
    EnsureCreditorFile(m_files);
    QString defaultLog;
    LoadPaymentLog(defaultLog);
    LoadCreditorList();

    m_grid.setCurrentCell(1, m_grid.currentColumn());
    m_storage->backUpAtLoad();
    const QDateTime loadedAt = m_services.clock.now();
    StartMinute = MainRules::startMinute(loadedAt.time());
    m_housekeeping->noteLoadTime(loadedAt);

    if (m_prefs.isOn(PrefItems::Aids)) {
        setPanelColor(GridBack, NoFocusColor);
        setPanelColor(SortBack, NoFocusColor);
        setPanelColor(topBack, FocusColor);
    }
}

void MainWindow::setPanelColor(QFrame* panel, int rgb) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, fromWindowsRgb(rgb));
    panel->setPalette(palette);
}

void MainWindow::ApplyWindowPreferences() {
    LoadPreferences(m_services.settings, m_prefs);

    const bool hidePasswords = m_prefs.isOn(PrefItems::NPas);
    m_details->Text2[2]->setVisible(!hidePasswords);
    m_details->Text3->setVisible(hidePasswords);
    m_details->Check1->setEnabled(!hidePasswords);

    if (m_prefs.isOn(PrefItems::ontp) && !isOnTop())
        ToggleAlwaysOnTop();
    m_menus->mnuprefs->setEnabled(!m_prefs.isOn(PrefItems::Nprf));

    const bool aids = m_prefs.isOn(PrefItems::Aids);
    for (QFrame* panel : {topBack, GridBack, SortBack})
        panel->setVisible(aids);
    if (aids) {
        NoFocusColor = m_prefs[PrefItems::NoFo].toInt();
        FocusColor = m_prefs[PrefItems::SiFo].toInt();
    }
}

PaymentGrid::LoadResult MainWindow::LoadPaymentLog(QString& path) {
    if (path.isEmpty())
        path = m_files.paymentLog();
    return m_grid.loadFile(path);
}

void MainWindow::LoadCreditorList() {
    const QStringList entries = readCreditorFile(m_files.creditorList());
    for (const QString& entry : entries) {
        List1.append(entry);
        const QString name = creditorName(entry);
        if (!name.isEmpty())
            m_entry->Combo1->addItem(name);
    }
    // The box lists the creditors; none is chosen until the user picks or types one.
    m_entry->Combo1->setCurrentIndex(-1);
}

void MainWindow::AddCreditor() {
    QComboBox* combo = m_entry->Combo1;
    const QString name = combo->currentText();
    if (name.isEmpty())
        return;
    auto& boxes = m_details->Text2;
    for (int i : {1, 2}) {
        if (boxes[size_t(i)]->text().isEmpty())
            boxes[size_t(i)]->setText(QStringLiteral(" "));
    }
    if (combo->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    const CreditorEntry entry{name, boxes[1]->text(), boxes[2]->text(), boxes[0]->text(), true};
    if (!appendCreditorLine(m_files.creditorList(), entry.plain())) {
        m_services.prompter.ask({QStringLiteral("Failed to Save to DataBase"), QStringLiteral("Disk Access Error 02"),
                                 Prompt::Buttons::Ok, Prompt::Icon::Information});
        return;
    }
    combo->addItem(name);
    List1.append(entry.plain());
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    for (QLineEdit* box : boxes)
        box->clear();
}

bool MainWindow::isOnTop() const {
    return m_onTop;
}

void MainWindow::ToggleAlwaysOnTop() {
    const bool on = !isOnTop();
    // Only the stacking hint changes: the window keeps its place and size.
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, on);
    else
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
    m_onTop = on;
    if (on)
        m_onTopWanted = true;
    m_menus->showOnTop(on);
}

void MainWindow::chooseAlwaysOnTop() {
    m_onTopWanted = !m_onTopWanted;
    ToggleAlwaysOnTop();
}

void MainWindow::ExpandWindow() {
    resize(width(), menuBar()->sizeHint().height() + twips(6120));
    m_menus->showExpanded(true);
}

void MainWindow::ShrinkWindow() {
    // Only the toolbar strip, the entry area and the creditor details stay in view.
    resize(width(), menuBar()->sizeHint().height() + twips(2070 + 1155) + 3);
    m_menus->showExpanded(false);
}

void MainWindow::dropOnTopWhile(const std::function<void()>& showAndWait) {
    // Only a mode that is on now is dropped, and only what this command dropped is restored.
    const bool dropped = m_onTopWanted && isOnTop();
    if (dropped)
        ToggleAlwaysOnTop();
    showAndWait();
    if (dropped && m_onTopWanted && !isOnTop())
        ToggleAlwaysOnTop();
}

void MainWindow::showAbout() {
    dropOnTopWhile([this] {
        auto* about = new Splash(m_services.shell, nullptr, this);
        about->setWindowFlag(Qt::Window);
        about->setAttribute(Qt::WA_DeleteOnClose);
        QRect frame = about->frameGeometry();
        frame.moveCenter(geometry().center());
        about->move(frame.topLeft());
        QEventLoop wait;
        connect(about, &QObject::destroyed, &wait, &QEventLoop::quit);
        about->show();
        wait.exec();
    });
}

void MainWindow::showReports() {
    ReportRequest request;
    request.logPath = m_files.paymentLog();
    request.backupPath = m_prefs[PrefItems::MBKF];
    request.mainFrame = frameGeometry();
    request.toolbarBottom = m_menus->Toolbar1->mapToGlobal(QPoint(0, m_menus->Toolbar1->height())).y();
    OnTopMode onTop;
    onTop.wanted = [this] { return m_onTopWanted; };
    onTop.isOnTop = [this] { return isOnTop(); };
    onTop.toggle = [this] { ToggleAlwaysOnTop(); };
    showReport(this, request, onTop);
}

void MainWindow::openSettings() {
    mnuprefs_Click(
        m_services, m_prefs, this,
        // The dialog's save raises the refresh signal: the housekeeping re-applies the preferences.
        [this] { m_housekeeping->setRefreshCaption(QStringLiteral("Refresh")); }, [this] { return isOnTop(); },
        [this] {
            ToggleAlwaysOnTop();
            m_housekeeping->setRestoreOnTop(true);
        });
}

void MainWindow::openHelp() {
    m_services.shell.open(QUrl::fromLocalFile(m_files.helpFile(QStringLiteral("help.html"))));
}

void MainWindow::AddPaymentRecord() {
    m_recordEntry->AddPaymentRecord();
}

void MainWindow::RemovePaymentRecord() {
    m_gridArea->RemovePaymentRecord();
}

void MainWindow::ShowFocusAids(bool gridHasFocus) {
    setPanelColor(topBack, gridHasFocus ? NoFocusColor : FocusColor);
    setPanelColor(GridBack, gridHasFocus ? FocusColor : NoFocusColor);
    setPanelColor(SortBack, gridHasFocus ? FocusColor : NoFocusColor);
}

QString MainWindow::titleText(bool hovered) const {
    // The title names the stored copy the grid shows, so nobody mistakes it for the log.
    if (!m_titleNote.isEmpty())
        return QStringLiteral("Quorvane - ") + m_titleNote;
    return hovered ? QStringLiteral("Quorvane - ") : QStringLiteral("Quorvane");
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QWidget* under = childAt(event->position().toPoint());
    if ((!under || under == centralWidget()) && windowTitle() != titleText(true))
        setWindowTitle(titleText(true));
    QMainWindow::mouseMoveEvent(event);
}
