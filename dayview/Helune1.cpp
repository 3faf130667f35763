// SPDX-License-Identifier: MIT
#include "Helune1.h"

#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>

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

void TForm1::StoreParameters() { WriteStoredSettings(Settings(), UserDecimalSeparator(), services_.store); }

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
    WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath,
                   {{QStringLiteral("Left"), QString::number(x())}, {QStringLiteral("Top"), QString::number(y())}},
                   services_.store);
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

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const bool drags = watched == ui_->Imagen || watched == ui_->Banner;
    if (drags && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        ControlMouseDown(mouse->buttons(), mouse->position().toPoint());
        return true;
    }
    if (drags && event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        ControlMouseMove(mouse->buttons(), mouse->position().toPoint());
        return true;
    }
    if (!drags && ClickTracker::IsLeftButton(event)) {
        if (clicks_.Clicked(watched, event)) {
            if (watched == ui_->dMen || watched == ui_->dMas) diaClick(watched);
            if (watched == ui_->Opciones) OpcionesClick();
            if (watched == ui_->Updates) UpdatesClick();
            if (watched == ui_->Cerrar) CerrarClick();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace helune
