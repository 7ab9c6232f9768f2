#include "app/splash.h"

#include "app/caption_label.h"
#include "platform/shell.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int SplashWidth = 420;
constexpr int SplashHeight = 250;

CaptionLabel* label(const QString& text, const QString& name, QWidget* parent) {
    auto* l = new CaptionLabel(text, parent);
    l->setObjectName(name);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

} // namespace

void paintProgramPicture(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // A ledger card with a tick: a payment written down and confirmed.
    const qreal w = box.width();
    QRectF card = box.adjusted(w * 0.08, w * 0.16, -w * 0.08, -w * 0.16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1d, 0x4e, 0x89));
    painter.drawRoundedRect(card, w * 0.08, w * 0.08);
    painter.setBrush(QColor(0xf2, 0xc1, 0x4e));
    painter.drawRect(QRectF(card.left(), card.top() + card.height() * 0.22, card.width(), card.height() * 0.14));
    painter.setBrush(QColor(255, 255, 255, 200));
    for (int i = 0; i < 2; ++i)
        painter.drawRoundedRect(QRectF(card.left() + card.width() * 0.1, card.top() + card.height() * (0.5 + i * 0.17),
                                       card.width() * (0.45 - i * 0.12), card.height() * 0.08),
                                2, 2);
    QPainterPath tick;
    tick.moveTo(card.left() + card.width() * 0.64, card.top() + card.height() * 0.66);
    tick.lineTo(card.left() + card.width() * 0.74, card.top() + card.height() * 0.78);
    tick.lineTo(card.left() + card.width() * 0.92, card.top() + card.height() * 0.50);
    painter.setPen(QPen(QColor(0x5c, 0xd6, 0x7a), w * 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    painter.restore();
}

QString Splash::versionText() {
    QString text = QStringLiteral("v%1.%2  ").arg(QUORVANE_VERSION_MAJOR).arg(QUORVANE_VERSION_MINOR);
    const QFileInfo program(QCoreApplication::applicationFilePath());
    if (program.exists())
        text += QLocale().toString(program.lastModified(), QLocale::ShortFormat).left(8);
    return text;
}

Splash::Splash(Shell& shell, std::function<void()> onShowMain, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_shell(shell)
    , m_onShowMain(std::move(onShowMain)) {
    setObjectName(QStringLiteral("Splash"));
    setWindowTitle(QStringLiteral("Quorvane"));
    setFixedSize(SplashWidth, SplashHeight);
    setCursor(Qt::PointingHandCursor);
    // Takes the keys when shown, so that Enter or Esc can go on without the mouse.
    setFocusPolicy(Qt::StrongFocus);

    for (size_t i = 0; i < images.size(); ++i) {
        images[i] = new CaptionLabel(QString(), this);
        images[i]->setAttribute(Qt::WA_TranslucentBackground);
    }
    images[0]->setObjectName(QStringLiteral("Image2"));
    images[0]->setGeometry(28, 44, 96, 96);
    images[1]->setObjectName(QStringLiteral("Image4"));
    images[1]->setGeometry(0, 0, SplashWidth, 8);
    images[2]->setObjectName(QStringLiteral("Image5"));
    images[2]->setGeometry(0, SplashHeight - 8, SplashWidth, 8);

    auto* title = label(QStringLiteral("Quorvane"), QStringLiteral("title"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setGeometry(140, 48, 260, 50);

    Label1[0] = label(QStringLiteral("the history of your payments"), QStringLiteral("Label1(0)"), this);
    Label1[0]->setGeometry(142, 98, 260, 20);
    Label3 = label(QStringLiteral("for payments online "), QStringLiteral("Label3"), this);
    Label3->setGeometry(142, 118, 260, 20);
    QFont italic = Label3->font();
    italic.setItalic(true);
    Label3->setFont(italic);

    Label1[1] = label(QStringLiteral("v3.0"), QStringLiteral("Label1(1)"), this);
    Label1[1]->setGeometry(28, 196, 200, 20);
    Label1[1]->setText(versionText());

    Label4 = label(QStringLiteral("Brellick"), QStringLiteral("Label4"), this);
    Label4->setGeometry(SplashWidth - 148, 196, 120, 20);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setToolTip(QStringLiteral("Visit the maker's page"));
    const QString company = QCoreApplication::organizationName();
    if (!company.isEmpty())
        Label4->setText(company);
    connect(Label4, &CaptionLabel::clicked, this,
            [this] { m_shell.open(QUrl(QStringLiteral("https://brellick.example/quorvane"))); });

    QPalette text = palette();
    text.setColor(QPalette::WindowText, Qt::white);
    setPalette(text);

    for (CaptionLabel* l : {images[0], images[1], images[2], Label1[0], Label1[1], Label3, title})
        connect(l, &CaptionLabel::clicked, this, &Splash::ShowMainWindow);
}

void Splash::ShowMainWindow() {
    // Both the release and the click of the background arrive here; the main window is shown once.
    if (m_shown)
        return;
    m_shown = true;
    if (m_onShowMain)
        m_onShowMain();
    close();
}

void Splash::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ShowMainWindow();
    QWidget::mouseReleaseEvent(event);
}

// What a click does, for the keyboard: Enter, Space or Esc goes on as a click on the splash would.
void Splash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void Splash::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        ShowMainWindow();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(0x25, 0x3a, 0x5e));
    background.setColorAt(1, QColor(0x12, 0x1c, 0x2e));
    painter.fillRect(rect(), background);
    painter.fillRect(QRect(0, 0, width(), 8), QColor(0xf2, 0xc1, 0x4e));
    painter.fillRect(QRect(0, height() - 8, width(), 8), QColor(0xf2, 0xc1, 0x4e));
    painter.setPen(QColor(255, 255, 255, 60));
    painter.drawLine(28, 184, width() - 28, 184);
    paintProgramPicture(painter, QRectF(images[0]->geometry()));
}
