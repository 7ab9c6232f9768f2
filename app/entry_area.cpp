#include "app/entry_area.h"

#include "app/caption_label.h"
#include "app/toolbar_icons.h"
#include "app/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QStyle>

namespace {

CaptionLabel* caption(const QString& text, const QString& name, QWidget* parent, QWidget* buddy) {
    auto* label = new CaptionLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text.trimmed());
    return label;
}

QLineEdit* textBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

// Tab leaves the date picker at once, as it leaves every other box; the arrow keys move between its parts.
class DatePicker final : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

// Inside the frames the controls stand on two lines: the captions above or beside their boxes.
constexpr int CaptionTop = 12;
constexpr int BoxTop = 30;
constexpr int BoxHeight = 26;

} // namespace

EntryArea::EntryArea(QWidget* parent)
    : QWidget(parent) {
    Frame2 = new AreaFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    // The design lets the two frames overlap by a few pixels; here they meet edge to edge.
    Frame2->setGeometry(0, 0, twips(7080), twips(2070 - 990) - 1);
    Frame2->setFrameShape(QFrame::StyledPanel);
    // Opaque, so that the focus aid behind shows only as a coloured border.
    Frame2->setAutoFillBackground(true);

    Combo1 = new QComboBox(Frame2);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr); // the box completes on the first letter by its own rule
    Combo1->setGeometry(8, BoxTop, 158, BoxHeight);

    DTPicker1 = new DatePicker(Frame2);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setCalendarPopup(true);
    DTPicker1->setGeometry(174, BoxTop, 112, BoxHeight);

    Text1[1] = textBox(QStringLiteral("Text1(1)"), Frame2);
    Text1[1]->hide();
    Text1[3] = textBox(QStringLiteral("Text1(3)"), Frame2);
    Text1[3]->setGeometry(294, BoxTop, 96, BoxHeight);
    Text1[2] = textBox(QStringLiteral("Text1(2)"), Frame2);
    Text1[2]->setGeometry(398, BoxTop, 66, BoxHeight);
    Text1[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label1[1] = caption(QStringLiteral("Creditor"), QStringLiteral("Label1(1)"), Frame2, Combo1);
    Label1[0] = caption(QStringLiteral("Date"), QStringLiteral("Label1(0)"), Frame2, DTPicker1);
    Label1[3] = caption(QStringLiteral("Confirmation"), QStringLiteral("Label1(3)"), Frame2, Text1[3]);
    Label1[2] = caption(QStringLiteral("Payment $"), QStringLiteral("Label1(2)"), Frame2, Text1[2]);
    Label1[1]->move(10, CaptionTop);
    Label1[0]->move(176, CaptionTop);
    Label1[3]->move(296, CaptionTop);
    Label1[2]->move(400, CaptionTop);
    Text1[1]->setAccessibleName(QStringLiteral("Date text"));

    setTabOrder(Combo1, DTPicker1);
    setTabOrder(DTPicker1, Text1[3]);
    setTabOrder(Text1[3], Text1[2]);
    resize(Frame2->size());
}

DetailsArea::DetailsArea(QWidget* parent)
    : QWidget(parent) {
    Frame1 = new AreaFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(0, 0, twips(7080), twips(1155));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setAutoFillBackground(true);

    constexpr int firstLine = 8;
    constexpr int secondLine = 42;
    constexpr int boxLeft = 86;

    Text2[1] = textBox(QStringLiteral("Text2(1)"), Frame1);
    Text2[1]->setGeometry(boxLeft, secondLine, 132, BoxHeight);
    Text2[2] = textBox(QStringLiteral("Text2(2)"), Frame1);
    Text2[2]->setGeometry(306, secondLine, 130, BoxHeight);
    Text2[0] = textBox(QStringLiteral("Text2(0)"), Frame1);
    Text2[0]->setGeometry(boxLeft, firstLine, 312, BoxHeight);

    Text3 = textBox(QStringLiteral("Text3"), Frame1);
    Text3->setGeometry(Text2[2]->geometry());
    Text3->setText(QStringLiteral(" - HIDDEN -"));
    Text3->setReadOnly(true);
    Text3->setFocusPolicy(Qt::NoFocus);
    Text3->setAccessibleName(QStringLiteral("Password hidden"));
    Text3->hide();

    Check1 = new QCheckBox(Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(442, secondLine + 4, 22, 18);
    Check1->setToolTip(QStringLiteral("Mask the password"));
    Check1->setAccessibleName(QStringLiteral("Mask the password"));

    Label1[0] = caption(QStringLiteral(" Login URL "), QStringLiteral("Label1(4)"), Frame1, Text2[0]);
    Label1[1] = caption(QStringLiteral(" Username "), QStringLiteral("Label1(5)"), Frame1, Text2[1]);
    Label1[2] = caption(QStringLiteral(" Password "), QStringLiteral("Label1(6)"), Frame1, Text2[2]);
    Label1[0]->move(6, firstLine + 5);
    Label1[1]->move(6, secondLine + 5);
    Label1[2]->move(234, secondLine + 5);
    for (CaptionLabel* label : Label1)
        label->setToolTip(QStringLiteral("Click to copy"));

    Image1 = new CaptionLabel(QString(), Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral("Open URL"));
    Image1->setAccessibleName(QStringLiteral("Open URL"));
    Image1->setPixmap(ToolbarIcons::icon(ToolbarIcons::Picture::OpenUrl).pixmap(20, 20));
    Image1->setGeometry(406, firstLine + 3, 22, 22);
    Image1->setCursor(Qt::PointingHandCursor);
    Label2 = new CaptionLabel(QStringLiteral("Go"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAccessibleName(QStringLiteral("Go"));
    Label2->setGeometry(432, firstLine + 3, 30, 22);
    Label2->setCursor(Qt::PointingHandCursor);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);

    setTabOrder(Text2[1], Text2[2]);
    setTabOrder(Text2[2], Check1);
    setTabOrder(Check1, Text2[0]);
    resize(Frame1->size());
}
