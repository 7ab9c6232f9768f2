#pragma once

#include <array>
#include <QWidget>

class AreaFrame;
class CaptionLabel;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QCheckBox;

// The entry area: creditor, date, confirmation number and amount of one payment.
class EntryArea final : public QWidget {
    Q_OBJECT

public:
    explicit EntryArea(QWidget* parent = nullptr);

    AreaFrame* Frame2;
    QComboBox* Combo1;
    QDateEdit* DTPicker1;
    std::array<QLineEdit*, 4> Text1{};     // 1 date text (hidden), 2 amount, 3 confirmation
    std::array<CaptionLabel*, 4> Label1{}; // 0 "Date", 1 "Creditor", 2 "Payment $", 3 "Confirmation"
};

// The creditor details: login address, user name and password of the chosen creditor.
class DetailsArea final : public QWidget {
    Q_OBJECT

public:
    explicit DetailsArea(QWidget* parent = nullptr);

    AreaFrame* Frame1;
    std::array<QLineEdit*, 3> Text2{};     // 0 login address, 1 user name, 2 password
    std::array<CaptionLabel*, 3> Label1{}; // the captions Label1(4), Label1(5), Label1(6)
    QCheckBox* Check1;                     // masks the password
    QLineEdit* Text3;                      // " - HIDDEN -", in the password's place
    CaptionLabel* Image1;                  // opens the login page
    CaptionLabel* Label2;                  // "Go"
};
