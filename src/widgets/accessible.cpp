#include "accessible.h"

#include "panel3d.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace {

class AccessiblePanel : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessiblePanel(Panel3D* panel) : QAccessibleWidget(panel) {}

    QAccessible::Role role() const override {
        if (panel()->isGauge())
            return QAccessible::ProgressBar;
        return panel()->caption().trimmed().isEmpty() ? QAccessible::Pane : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return panel()->caption().trimmed();
        if (t == QAccessible::Value && panel()->isGauge())
            return QString::number(panel()->floodPercent());
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface && panel()->isGauge())
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return panel()->floodPercent(); }
    void setCurrentValue(const QVariant&) override {} // a gauge only shows
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    Panel3D* panel() const { return static_cast<Panel3D*>(widget()); }
};

QAccessibleInterface* controlFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("Panel3D"))
        return new AccessiblePanel(static_cast<Panel3D*>(object));
    if (className == QLatin1String("PictureBox") || className == QLatin1String("StretchImage"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

void ensureAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(controlFactory);
        return true;
    }();
    (void)installed;
}
