// SPDX-License-Identifier: MIT
#include "Helune2.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDate>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "Accessible.h"
#include "Fonts.h"
#include "Pictures.h"
#include "Placement.h"
#include "Settings.h"
#include "ui_Helune2.h"

namespace helune {

namespace {

constexpr double kDegreesPerHour = 15.0;
constexpr double kMinutesPerUnit = 60.0;

// Item positions in the hemisphere boxes.
constexpr int kEast = 0, kWest = 1;
constexpr int kNorth = 0, kSouth = 1;

constexpr char kLonGraInvalid[] = "Longitude degrees are not valid";
constexpr char kLonMinInvalid[] = "Longitude minutes are not valid";
constexpr char kLatGraInvalid[] = "Latitude degrees are not valid";
constexpr char kLatMinInvalid[] = "Latitude minutes are not valid";
constexpr char kDifHorInvalid[] = "Hour of difference is not valid";
constexpr char kDifMinInvalid[] = "Minutes of difference are not valid";
constexpr char kAjuHorInvalid[] = "Hour of adjustment is not valid";
constexpr char kAjuMinInvalid[] = "Minutes of adjustment are not valid";

// The eight numeric entries, once each reads as a whole number.
struct Entries {
    int16_t lonGra = 0, lonMin = 0, latGra = 0, latMin = 0;
    int16_t difHor = 0, difMin = 0, ajuHor = 0, ajuMin = 0;
};

// The bounds of each entry, checked in this order.
struct Bounds {
    int16_t Entries::*entry;
    int lowest, highest;
    const char* invalid;
};
constexpr std::array<Bounds, 8> kBounds{{
    {&Entries::difHor, -12, 12, kDifHorInvalid},
    {&Entries::ajuHor, -12, 12, kAjuHorInvalid},
    {&Entries::lonGra, 0, 180, kLonGraInvalid},
    {&Entries::latGra, 0, 90, kLatGraInvalid},
    {&Entries::lonMin, 0, 59, kLonMinInvalid},
    {&Entries::latMin, 0, 59, kLatMinInvalid},
    {&Entries::difMin, 0, 59, kDifMinInvalid},
    {&Entries::ajuMin, 0, 59, kAjuMinInvalid},
}};

// A quantity as shown: a whole part and whole minutes. Kept as doubles so that
// no stored value, however large, overflows on its way to the text.
struct WholeAndMinutes {
    double whole;
    double minutes;
};

// An angle's size in whole degrees and rounded minutes (halves to even). Minutes
// that round up to 60 go into the degrees, so that accepting the shown entries
// unchanged never fails.
WholeAndMinutes DegreesAndMinutes(double angle) {
    const double size = std::abs(angle);
    const double degrees = std::floor(size);
    const double minutes = std::nearbyint((size - degrees) * kMinutesPerUnit);
    if (minutes == kMinutesPerUnit) return {degrees + 1.0, 0.0};
    return {degrees, minutes};
}

// A zone (degrees, positive West) as the local clock's lead on universal time:
// signed whole hours toward zero and unsigned minutes, 60 of which go into the
// hours. A lead of less than an hour shows 0 hours and so reads back as ahead
// whichever its sign.
WholeAndMinutes ClockLead(double zone) {
    const double lead = -zone / kDegreesPerHour;
    const double hours = std::trunc(lead);
    const double minutes = std::nearbyint((std::abs(lead) - std::abs(hours)) * kMinutesPerUnit);
    if (minutes == kMinutesPerUnit) return {hours + (lead < 0.0 ? -1.0 : 1.0), 0.0};
    return {hours, minutes};
}

// A whole number as plain decimal digits; a negative zero shows as 0.
QString WholeText(double value) { return QString::number(value == 0.0 ? 0.0 : value, 'f', 0); }

void ShowQuantity(QLineEdit* whole, QLineEdit* minutes, const WholeAndMinutes& value) {
    whole->setText(WholeText(value.whole));
    minutes->setText(WholeText(value.minutes));
}

// An entry as a signed 16-bit whole number; nothing when it is empty, not a
// whole number or out of that range.
std::optional<int16_t> WholeEntry(const QLineEdit* edit) {
    bool ok = false;
    const short value = edit->text().toShort(&ok, 10);
    return ok ? std::optional<int16_t>(value) : std::nullopt;
}

// The item that the box's text names, or -1. An editable box keeps the index of
// the last item chosen while other text is typed over it, so the text decides.
int NamedItem(const QComboBox* box) { return box->findText(box->currentText(), Qt::MatchFixedString); }

double Angle(int16_t degrees, int16_t minutes, bool positive) {
    const double size = degrees + minutes / kMinutesPerUnit;
    return positive ? size : -size;
}

// A zone or adjustment in degrees (positive West) from the local clock's lead in
// hours and minutes; the hours carry the sign.
double ZoneFromLead(int16_t hours, int16_t minutes) {
    const double sign = hours < 0 ? -1.0 : 1.0;
    return (std::abs(hours) + minutes / kMinutesPerUnit) * sign * -kDegreesPerHour;
}

// Replaces setting by value when the two differ; tells whether it did.
template <typename T>
bool Replace(T& setting, const T& value) {
    if (setting == value) return false;
    setting = value;
    return true;
}

// The entries as whole numbers within their bounds; otherwise nothing, after
// reporting the first that fails: reading in screen order, then the bounds.
std::optional<Entries> CheckedEntries(const Ui::TForm2& ui, const std::function<void(const QString&)>& report) {
    struct Field {
        const QLineEdit* edit;
        int16_t Entries::*entry;
        const char* invalid;
    };
    const std::array<Field, 8> readingOrder{{
        {ui.LonGra, &Entries::lonGra, kLonGraInvalid},
        {ui.LonMin, &Entries::lonMin, kLonMinInvalid},
        {ui.LatGra, &Entries::latGra, kLatGraInvalid},
        {ui.LatMin, &Entries::latMin, kLatMinInvalid},
        {ui.DifHor, &Entries::difHor, kDifHorInvalid},
        {ui.DifMin, &Entries::difMin, kDifMinInvalid},
        {ui.AjuHor, &Entries::ajuHor, kAjuHorInvalid},
        {ui.AjuMin, &Entries::ajuMin, kAjuMinInvalid},
    }};
    Entries entries;
    for (const Field& field : readingOrder) {
        const std::optional<int16_t> value = WholeEntry(field.edit);
        if (!value) {
            report(field.invalid);
            return std::nullopt;
        }
        entries.*field.entry = *value;
    }
    for (const Bounds& bounds : kBounds) {
        const int value = entries.*bounds.entry;
        if (value < bounds.lowest || value > bounds.highest) {
            report(bounds.invalid);
            return std::nullopt;
        }
    }
    return entries;
}

// The settings the checked entries stand for.
LocationSettings SettingsFrom(const Entries& entries, const Ui::TForm2& ui) {
    LocationSettings chosen;
    chosen.Longitud = Angle(entries.lonGra, entries.lonMin, NamedItem(ui.LonHem) == kWest);
    chosen.Latitud = Angle(entries.latGra, entries.latMin, NamedItem(ui.LatHem) == kNorth);
    chosen.Huso = ZoneFromLead(entries.difHor, entries.difMin);
    chosen.Ajuste = ZoneFromLead(entries.ajuHor, entries.ajuMin);
    chosen.Verano = ui.chkAju->isChecked();
    return chosen;
}

QFont DialogFont(bool bold) { return DesignFont(QStringLiteral("MS Sans Serif"), 8, bold); }

// Keys typed into the date field's day, month or year set that part as they
// are typed, as soon as they make a date the field takes (the day kept within
// the month): the weekday follows, and a Tab keeps what was typed. Digits for
// each part, or the month's name; a key that would make no date starts the
// part again from itself, and one that still makes none changes nothing.
class DateTyping : public QObject {
public:
    explicit DateTyping(QDateEdit* field) : QObject(field), field_(field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) typed_.clear();
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QDateTimeEdit::Section section = field_->currentSection();
        const bool part = section == QDateTimeEdit::DaySection || section == QDateTimeEdit::MonthSection ||
                          section == QDateTimeEdit::YearSection;
        const QString text = key->text();
        if (!part || text.size() != 1 || !text[0].isLetterOrNumber() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            typed_.clear();
            return false;
        }
        if (section != section_) typed_.clear();
        section_ = section;
        // Keys that make no date yet are kept while more could make one (the
        // first digits of a year); past that the part starts again.
        typed_ += text;
        std::optional<QDate> date = DateWith(typed_);
        if (!date && !Unfinished(typed_)) {
            typed_ = text;
            date = DateWith(typed_);
        }
        if (date) {
            field_->setDate(*date);
            field_->setCurrentSection(section);
        }
        return true;
    }

private:
    // The field's date with the part being typed read from typed, if that is a date it takes.
    std::optional<QDate> DateWith(const QString& typed) const {
        const QDate now = field_->date();
        int day = now.day(), month = now.month(), year = now.year();
        bool digits = false;
        const int number = typed.toInt(&digits);
        if (section_ == QDateTimeEdit::DaySection && digits && typed.size() <= 2) day = number;
        else if (section_ == QDateTimeEdit::YearSection && digits && typed.size() <= 4) year = number;
        else if (section_ == QDateTimeEdit::MonthSection && digits && typed.size() <= 2) month = number;
        else if (section_ == QDateTimeEdit::MonthSection && !digits) month = MonthNamed(typed);
        else return std::nullopt;
        if (month < 1 || month > 12 || year < 1) return std::nullopt;
        if (section_ != QDateTimeEdit::DaySection) day = std::min(day, QDate(year, month, 1).daysInMonth());
        const QDate date(year, month, day);
        if (!date.isValid() || date < field_->minimumDate() || date > field_->maximumDate()) return std::nullopt;
        return date;
    }

    // Whether more keys could still make typed a date's part: fewer digits than
    // the part holds, or the beginning of a month's name.
    bool Unfinished(const QString& typed) const {
        bool digits = false;
        typed.toInt(&digits);
        const int most = section_ == QDateTimeEdit::YearSection ? 4 : 2;
        if (digits) return typed.size() < most;
        return section_ == QDateTimeEdit::MonthSection && MonthNamed(typed) != 0;
    }

    // The first month whose name, as the field shows it, begins with typed; 0 for none.
    int MonthNamed(const QString& typed) const {
        for (int month = 1; month <= 12; ++month)
            if (field_->locale().monthName(month, QLocale::LongFormat).startsWith(typed, Qt::CaseInsensitive))
                return month;
        return 0;
    }

    QDateEdit* field_;
    QDateTimeEdit::Section section_ = QDateTimeEdit::NoSection;
    QString typed_;
};

}  // namespace

TForm2::TForm2(ShownSettings& main, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      main_(main),
      ui_(std::make_unique<Ui::TForm2>()) {
    ui_->setupUi(this);
    ShowMessage = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Options"), text); };
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    setFont(DialogFont(true));
    ui_->Fecha->setFont(DialogFont(false));
    setWindowIcon(ProgramIcon());
    connect(ui_->Acepta, &QPushButton::clicked, this, &TForm2::AceptaClick);
    connect(ui_->Cancela, &QPushButton::clicked, this, &TForm2::CancelaClick);
    new DateTyping(ui_->Fecha);
    NameTheFields();
    CentreOnScreen(this);
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate() {
    SettingsChanged = false;
    SetEnglishTexts();
    ShowSettings();
}

void TForm2::SetEnglishTexts() {
    setWindowTitle(QStringLiteral("Helune Options"));
    ui_->Label1->setText(QStringLiteral("Da&te :"));
    ui_->Label2->setText(QStringLiteral("L&ongitude    :"));
    ui_->Label3->setText(QStringLiteral("L&atitude      :"));
    ui_->Label4->setText(QStringLiteral("Di&fference  :"));
    ui_->grpAju->setTitle(QStringLiteral("Daylight Saving Time"));
    ui_->chkAju->setText(QStringLiteral("&Use Daylight Saving Time"));
    ui_->Label11->setText(QStringLiteral("A&djust :"));
    ui_->Acepta->setText(QStringLiteral("Acc&ept"));
    ui_->Cancela->setText(QStringLiteral("&Cancel"));
    ui_->LonHem->clear();
    ui_->LonHem->addItems({QStringLiteral("East"), QStringLiteral("West")});
    ui_->LatHem->clear();
    ui_->LatHem->addItems({QStringLiteral("North"), QStringLiteral("South")});
}

void TForm2::ShowSettings() {
    ui_->Fecha->setDate(DateOfDayCount(main_.ShownDate));
    ShowQuantity(ui_->LonGra, ui_->LonMin, DegreesAndMinutes(main_.Longitud));
    ShowQuantity(ui_->LatGra, ui_->LatMin, DegreesAndMinutes(main_.Latitud));
    ShowQuantity(ui_->DifHor, ui_->DifMin, ClockLead(main_.Huso));
    ShowQuantity(ui_->AjuHor, ui_->AjuMin, ClockLead(main_.Ajuste));
    ui_->LonHem->setCurrentIndex(main_.Longitud >= 0.0 ? kWest : kEast);
    ui_->LatHem->setCurrentIndex(main_.Latitud >= 0.0 ? kNorth : kSouth);
    ui_->chkAju->setChecked(main_.Verano);
}

void TForm2::AceptaClick() {
    const std::optional<Entries> entries = CheckedEntries(*ui_, ShowMessage);
    if (!entries) return;
    StoreChanges(ui_->Fecha->date(), SettingsFrom(*entries, *ui_));
    accept();
}

void TForm2::CancelaClick() { reject(); }

// Each value is written only when it differs, so that accepting the window as
// shown leaves the main window's settings, and SettingsChanged, as they were.
void TForm2::StoreChanges(const QDate& date, const LocationSettings& chosen) {
    if (date != DateOfDayCount(main_.ShownDate)) {
        main_.ShownDate = static_cast<DayCount>(date.toJulianDay());
        SettingsChanged = true;
    }
    SettingsChanged |= Replace(main_.Longitud, chosen.Longitud);
    SettingsChanged |= Replace(main_.Latitud, chosen.Latitud);
    SettingsChanged |= Replace(main_.Huso, chosen.Huso);
    SettingsChanged |= Replace(main_.Verano, chosen.Verano);
    SettingsChanged |= Replace(main_.Ajuste, chosen.Ajuste);
}

// Every field by its label and unit, for assistive technology: the labels
// name only the first field of their row, and the group box's title named
// the last one.
void TForm2::NameTheFields() {
    const std::pair<QWidget*, const char*> names[] = {
        {ui_->Fecha, "Date"},
        {ui_->LonGra, "Longitude degrees"}, {ui_->LonMin, "Longitude minutes"},
        {ui_->LatGra, "Latitude degrees"},  {ui_->LatMin, "Latitude minutes"},
        {ui_->DifHor, "Difference hours"},  {ui_->DifMin, "Difference minutes"},
        {ui_->AjuHor, "Adjust hours"},      {ui_->AjuMin, "Adjust minutes"},
    };
    for (const auto& [field, name] : names) field->setAccessibleName(QString::fromLatin1(name));
    NameComboBox(ui_->LonHem, QStringLiteral("Longitude hemisphere"));
    NameComboBox(ui_->LatHem, QStringLiteral("Latitude hemisphere"));
}

// Esc leaves the window open, and Return in a field does nothing: the window
// has no default and no cancel button. Return or Enter on a focused button
// presses it, as Space does.
void TForm2::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); enter && button) {
        button->click();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}


}  // namespace helune
