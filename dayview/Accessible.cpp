// SPDX-License-Identifier: MIT
#include "Accessible.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>

namespace helune {

namespace {

constexpr char kButtonProperty[] = "heluneAccessibleButton";
constexpr char kNamedBoxProperty[] = "heluneNamedComboBox";

class LabelButton : public QAccessibleWidget {
public:
    explicit LabelButton(QLabel* label) : QAccessibleWidget(label, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action != pressAction()) return;
        QWidget* label = widget();
        const QPointF centre = QRectF(label->rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, centre, label->mapToGlobal(centre), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(label, &click);
        }
    }
};

// A combo box by its own name, its current text its value.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return static_cast<const QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Described(const QString&, QObject* object) {
    if (auto* label = qobject_cast<QLabel*>(object); label && label->property(kButtonProperty).toBool())
        return new LabelButton(label);
    if (auto* box = qobject_cast<QComboBox*>(object); box && box->property(kNamedBoxProperty).toBool())
        return new NamedComboBox(box);
    return nullptr;
}

// Marks widget for the factory (installed once for the program); an
// interface made for it as it was set up gives way to the factory's.
void Describe(QWidget* widget, const char* property) {
    static const bool kFactoryInstalled = [] {
        QAccessible::installFactory(Described);
        return true;
    }();
    (void)kFactoryInstalled;
    widget->setProperty(property, true);
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<LabelButton*>(made) && !dynamic_cast<NamedComboBox*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace

void MakeAccessibleButton(QLabel* label) { Describe(label, kButtonProperty); }

void NameComboBox(QComboBox* box, const QString& name) {
    Describe(box, kNamedBoxProperty);
    box->setAccessibleName(name);
}

}  // namespace helune
