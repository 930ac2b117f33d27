#include "screens/placeholder.h"

#include <QLabel>
#include <QVBoxLayout>

#include "common/controls.h"

namespace kaldate {

Placeholder::Placeholder(Services& services, const char* name, const QString& caption,
                         QWidget* owner)
    : Screen(services, name, caption, owner) {
    auto* text =
        textBlock(QStringLiteral("The screen %1 is not built yet.").arg(QLatin1String(name)));
    text->setObjectName(QStringLiteral("placeholdertext"));
    text->setMinimumWidth(280);
    auto* column = new QVBoxLayout;
    column->addWidget(text);
    column->addStretch();
    arrange(column, buttonGroup({{Action::ExitBack, QString()}}));
}

}  // namespace kaldate
