// SPDX-License-Identifier: MIT
#include "Helune1.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QDate>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>

#include "Accessible.h"
#include "ChartText.h"
#include "Composition.h"
#include "Fonts.h"
#include "Lenguajes.h"
#include "Painting.h"
#include "Pictures.h"
#include "Placement.h"
#include "Registry.h"
#include "ui_Helune1.h"

namespace helune {

namespace {

inline const QColor kWarning{255, 0, 0};
constexpr char kFirstRunHint[] = "You have to define your Location and Timezone to get proper results";

// The arrows' and the links' font: 8-point bold, the links underlined.
QFont ControlFont(bool underlined) { return DesignFont(QStringLiteral("MS Sans Serif"), 8, true, underlined); }

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

QColor ActiveCaptionColour() { return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight); }

// Farther from the origin than any screen's pixel: a stored position beyond
// it is no position (and would overflow the window's rectangle).
constexpr int kFarthestPosition = 1 << 20;

std::optional<int> StoredPosition(const char* name, const RegistryStore& store) {
    QString text;
    if (!ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text, store)) return std::nullopt;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && std::abs(value) <= kFarthestPosition ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

TForm1::TForm1(WindowServices services, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), services_(std::move(services)), ui_(std::make_unique<Ui::TForm1>()) {
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    // A picture that does not decode is left empty, and said so on standard error.
    const ChartPictures pictures = LoadChartPictures();
    if (!pictures.errors.isEmpty()) qWarning("Helune: %s", qPrintable(pictures.errors));
    sunPicture_ = pictures.sun;
    moonPicture_ = pictures.moon;
    ui_->Sol->setPixmap(QPixmap::fromImage(sunPicture_));
    ui_->Luna->setPixmap(QPixmap::fromImage(moonPicture_));
    for (QLabel* arrow : {ui_->dMen, ui_->dMas}) {
        arrow->setFont(ControlFont(false));
        arrow->raise();
    }
    for (QLabel* link : {ui_->Opciones, ui_->Updates, ui_->Cerrar}) {
        link->setFont(ControlFont(true));
        SetTextColour(link, ActiveCaptionColour());
        link->installEventFilter(this);
    }
    for (QWidget* control : {static_cast<QWidget*>(ui_->Imagen), static_cast<QWidget*>(ui_->Banner)})
        control->installEventFilter(this);
    ui_->dMen->installEventFilter(this);
    ui_->dMas->installEventFilter(this);
    ShowMessage = [this](const QString& text) { QMessageBox::warning(this, kApplicationTitle, text); };
    // The window takes the keys itself: it is one control to the keyboard.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(kWindowKeys);
    const std::pair<QLabel*, const char*> buttons[] = {{ui_->dMen, "Previous day"}, {ui_->dMas, "Next day"},
                                                       {ui_->Opciones, "Options"}, {ui_->Updates, "Updates"},
                                                       {ui_->Cerrar, "Close"}};
    for (const auto& [label, name] : buttons) {
        MakeAccessibleButton(label);
        label->setAccessibleName(QString::fromLatin1(name));
    }
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    setWindowTitle(kApplicationTitle);
    ChartWidth = static_cast<int16_t>(ui_->Imagen->width());
    ChartHeight = static_cast<int16_t>(ui_->Imagen->height());
    ChartBitmap = QPixmap();
    ui_->Opciones->setText(QStringLiteral("Options"));
    ui_->Updates->setText(QStringLiteral("Updates"));
    ui_->Cerrar->setText(QStringLiteral("Close"));
    // Each link answers over its caption alone; the rest of the banner drags.
    for (QLabel* link : {ui_->Opciones, ui_->Updates, ui_->Cerrar})
        link->resize(link->sizeHint().width(), link->height());
    FetchParameters();
    ShowData();
}

LocationSettings TForm1::Settings() const { return {Longitud, Latitud, Huso, Ajuste, Verano}; }

void TForm1::SetSettings(const LocationSettings& s) {
    Longitud = s.Longitud;
    Latitud = s.Latitud;
    Huso = s.Huso;
    Ajuste = s.Ajuste;
    Verano = s.Verano;
}

void TForm1::FindFasesLuna() { Phases = FindChartPhases(ShownDay, ShownMonth, ShownYear, EffectiveZone); }

void TForm1::ShowData() {
    const QDate date = DateOfDayCount(ShownDate);
    ShownDay = static_cast<int16_t>(date.day());
    ShownMonth = static_cast<int16_t>(date.month());
    ShownYear = static_cast<int16_t>(date.year());
    NoonJulianDay = JulianDayFromDate(ShownDay, ShownMonth, ShownYear, 12, 0);

    DayFacts facts = ComputeDayEvents(ShownDay, ShownMonth, ShownYear, Longitud, Latitud, EffectiveZone);
    FindFasesLuna();
    facts.phases = Phases;
    const QSize chart(ChartWidth, ChartHeight);
    ChartLayout layout = WindowChartLayout(UserDecimalSeparator());
    layout.chart = chart;
    const std::vector<ChartItem> items = ComposeDayChart(facts, layout, QtTextMeasure());

    // Painted at the screen's pixel ratio over the same layout, so that the chart
    // is as sharp as the arrows and links around it; at 1× exactly as designed.
    const qreal ratio = devicePixelRatioF();
    ChartBitmap = QPixmap(QSize(qRound(chart.width() * ratio), qRound(chart.height() * ratio)));
    ChartBitmap.setDevicePixelRatio(ratio);
    QPainter painter(&ChartBitmap);
    if (ratio != 1.0) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    PaintDayChart(painter, chart, items, sunPicture_, moonPicture_);
    painter.end();
    ui_->Imagen->setPixmap(ChartBitmap);
    NameForAssistiveTechnology(facts);
}

// The chart is a picture: its texts, as the chart shows them, are its name
// (the title) and its description (every line).
void TForm1::NameForAssistiveTechnology(const DayFacts& facts) {
    const std::vector<std::string> lines = ChartTextLines(facts);
    QStringList description;
    for (const std::string& line : lines) description << QString::fromStdString(line);
    ui_->Imagen->setAccessibleName(description.value(0));
    ui_->Imagen->setAccessibleDescription(description.join('\n'));
}

void TForm1::FetchParameters() {
    ShownDate = static_cast<DayCount>(services_.today().toJulianDay());
    RestoreStoredPosition();
    const StoredSettings stored = ReadStoredSettings(Settings(), UserDecimalSeparator(), services_.store);
    SetSettings(stored.settings);
    if (stored.missing) {
        SetTextColour(ui_->Opciones, kWarning);
        ui_->Opciones->setToolTip(kFirstRunHint);
    } else {
        ui_->Opciones->setToolTip(QString());
    }
    GetInitialValues(stored.missing);
}

// Without a stored position the platform places the window. A stored one is
// kept wholly on the screen the window overlaps most (the screen's size or
// scale may have changed since), and left aside where it overlaps none (a
// screen since removed would lose the window).
void TForm1::RestoreStoredPosition() {
    const auto top = StoredPosition("Top", services_.store);
    const auto left = StoredPosition("Left", services_.store);
    if (!top && !left) return;
    const QPoint wanted(left.value_or(x()), top.value_or(y()));
    if (const auto at = OnScreen(wanted, size())) move(*at);
}

// A failed save is said, with its reason, and the window goes on: the
// settings stay in force for this session.
void TForm1::StoreParameters() {
    QString why;
    if (!WriteStoredSettings(Settings(), UserDecimalSeparator(), services_.store, &why))
        ShowMessage(QStringLiteral("The settings could not be saved: %1.").arg(why));
}

void TForm1::GetInitialValues(bool applyDefaults) {
    const TimeZoneRecord zone = services_.timeZone();
    if (applyDefaults) SetSettings(DefaultSettings(zone));
    EffectiveZone = EffectiveZoneOn(Settings(), ShownDate, zone);
}

void TForm1::diaClick(QObject* sender) {
    if (sender == ui_->dMas) ShownDate += 1.0;
    if (sender == ui_->dMen) ShownDate -= 1.0;
    GetInitialValues(false);
    ShowData();
}

void TForm1::OpcionesClick() {
    if (!services_.options || !services_.options(*this, this)) return;
    StoreParameters();
    GetInitialValues(false);
    SetTextColour(ui_->Opciones, ActiveCaptionColour());
    ShowData();
}

void TForm1::UpdatesClick() {
    if (services_.about) services_.about(this);
}

void TForm1::CerrarClick() { close(); }

void TForm1::ShowToday() {
    ShownDate = static_cast<DayCount>(services_.today().toJulianDay());
    GetInitialValues(false);
    ShowData();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && (key == Qt::Key_Left || key == Qt::Key_PageUp)) {
        diaClick(ui_->dMen);
    } else if (plain && (key == Qt::Key_Right || key == Qt::Key_PageDown)) {
        diaClick(ui_->dMas);
    } else if (plain && key == Qt::Key_Home) {
        ShowToday();
    } else if (plain && key == Qt::Key_O) {
        OpcionesClick();
    } else if (plain && key == Qt::Key_U) {
        UpdatesClick();
    } else if (key == Qt::Key_Q && event->modifiers() == Qt::ControlModifier) {
        CerrarClick();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TForm1::ControlMouseDown(Qt::MouseButtons buttons, QPoint at) {
    if (!(buttons & Qt::LeftButton)) return;
    DragOriginX = static_cast<int16_t>(at.x());
    DragOriginY = static_cast<int16_t>(at.y());
}

void TForm1::ControlMouseMove(Qt::MouseButtons buttons, QPoint at) {
    if (!(buttons & Qt::LeftButton)) return;
    move(x() + (at.x() - DragOriginX), y() + (at.y() - DragOriginY));
}

void TForm1::FormClose() {
    QString why;
    if (!WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath,
                        {{QStringLiteral("Left"), QString::number(x())}, {QStringLiteral("Top"), QString::number(y())}},
                        services_.store, &why))
        ShowMessage(QStringLiteral("The window's position could not be saved: %1.").arg(why));
    ChartBitmap = QPixmap();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // On a screen of another pixel ratio the chart is painted again for it.
    if (!followsScreen_ && windowHandle()) {
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { ShowData(); });
        followsScreen_ = true;
    }
}

// An arrow's or a link's action, as its click asks it.
void TForm1::Act(QObject* control) {
    if (control == ui_->dMen || control == ui_->dMas) diaClick(control);
    if (control == ui_->Opciones) OpcionesClick();
    if (control == ui_->Updates) UpdatesClick();
    if (control == ui_->Cerrar) CerrarClick();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const bool drags = watched == ui_->Imagen || watched == ui_->Banner;
    const auto mouse = [event] { return static_cast<const QMouseEvent*>(event); };
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (drags) {
                ControlMouseDown(mouse()->buttons(), mouse()->position().toPoint());
                if (mouse()->button() == Qt::LeftButton) gesture_ = Gesture::Drag;
                return true;
            }
            if (mouse()->button() != Qt::LeftButton) break;
            gesture_ = Gesture::Control;
            clicks_.Clicked(watched, event);
            return true;
        case QEvent::MouseMove:
            // A control's moves belong to its press: they never reach the banner beneath.
            if (drags && gesture_ == Gesture::Drag) ControlMouseMove(mouse()->buttons(), mouse()->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            if (mouse()->button() != Qt::LeftButton) break;
            gesture_ = Gesture::None;
            if (drags) break;
            if (clicks_.Clicked(watched, event)) Act(watched);
            return true;
        default: break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace helune
