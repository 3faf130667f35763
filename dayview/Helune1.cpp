#include "Helune1.h"

#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "DayChart.h"
#include "Fonts.h"
#include "Helune2.h"
#include "Helune3.h"
#include "JpegDecoder.h"
#include "Lenguajes.h"
#include "Registry.h"
#include "Today.h"
#include "ui_Helune1.h"

// The window's pictures live in a static library, whose resources must be
// registered by hand.
static void RegisterPictures() { Q_INIT_RESOURCE(helune); }

namespace helune {

namespace {

inline const QColor kWarning{255, 0, 0};
constexpr char kFirstRunHint[] = "You have to define your Location and Timezone to get proper results";

// A picture of the window's resources, decoded with libjpeg; a picture that
// does not decode is left empty (and said so on standard error).
QImage LoadPicture(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Helune: the picture %s is missing", qPrintable(resource));
        return {};
    }
    DecodedJpeg decoded = DecodeJpeg(file.readAll());
    if (!decoded.error.isEmpty()) qWarning("Helune: %s: %s", qPrintable(resource), qPrintable(decoded.error));
    return decoded.image;
}

// The arrows' and the links' font: 8-point bold, the links underlined.
QFont ControlFont(bool underlined) { return DesignFont(QStringLiteral("MS Sans Serif"), 8, true, underlined); }

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

QColor ActiveCaptionColour() { return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight); }

std::optional<int> StoredInteger(const char* name) {
    QString text;
    if (!ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text)) return std::nullopt;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TForm1>()) {
    RegisterPictures();
    ui_->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/helune.png")));
    sunPicture_ = LoadPicture(QStringLiteral(":/sun.jpg"));
    moonPicture_ = LoadPicture(QStringLiteral(":/moon.jpg"));
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
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(std::floor(ShownDate)));
    ShownDay = static_cast<int16_t>(date.day());
    ShownMonth = static_cast<int16_t>(date.month());
    ShownYear = static_cast<int16_t>(date.year());
    NoonJulianDay = JulianDayFromDate(ShownDay, ShownMonth, ShownYear, 12, 0);

    DayFacts facts = ComputeDayEvents(ShownDay, ShownMonth, ShownYear, Longitud, Latitud, EffectiveZone);
    FindFasesLuna();
    facts.phases = Phases;
    const QSize chart(ChartWidth, ChartHeight);
    const ChartLayout layout{chart, QSize(40, 40), QSize(30, 30), UserDecimalSeparator()};
    const std::vector<ChartItem> items = ComposeDayChart(facts, layout, QtTextMeasure());

    ChartBitmap = QPixmap(chart);
    QPainter painter(&ChartBitmap);
    PaintDayChart(painter, chart, items, sunPicture_, moonPicture_);
    painter.end();
    ui_->Imagen->setPixmap(ChartBitmap);
}

void TForm1::FetchParameters() {
    ShownDate = static_cast<DayCount>(LocalToday().toJulianDay());
    RestoreStoredPosition();
    const StoredSettings stored = ReadStoredSettings(Settings(), UserDecimalSeparator());
    SetSettings(stored.settings);
    if (stored.missing) {
        SetTextColour(ui_->Opciones, kWarning);
        ui_->Opciones->setToolTip(kFirstRunHint);
    } else {
        ui_->Opciones->setToolTip(QString());
    }
    GetInitialValues(stored.missing);
}

// A stored position is applied only where the window would still show on a
// screen; a position from a screen since removed would lose the window.
void TForm1::RestoreStoredPosition() {
    QPoint at = pos();
    if (const auto top = StoredInteger("Top")) at.setY(*top);
    if (const auto left = StoredInteger("Left")) at.setX(*left);
    const QRect wanted(at, size());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(wanted)) {
            move(at);
            return;
        }
}

void TForm1::StoreParameters() { WriteStoredSettings(Settings(), UserDecimalSeparator()); }

void TForm1::GetInitialValues(bool applyDefaults) {
    const TimeZoneRecord zone = GetTimeZoneInformation();
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
    TForm2 options(*this, this);
    options.exec();
    if (!options.SettingsChanged) return;
    StoreParameters();
    GetInitialValues(false);
    SetTextColour(ui_->Opciones, ActiveCaptionColour());
    ShowData();
}

void TForm1::UpdatesClick() {
    TForm3 about(this);
    about.exec();
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
    WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Left", QString::number(x()), kRegText);
    WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Top", QString::number(y()), kRegText);
    ChartBitmap = QPixmap();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
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
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ui_->dMen || watched == ui_->dMas) {
            diaClick(watched);
            return true;
        }
        if (watched == ui_->Opciones) {
            OpcionesClick();
            return true;
        }
        if (watched == ui_->Updates) {
            UpdatesClick();
            return true;
        }
        if (watched == ui_->Cerrar) {
            CerrarClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace helune
