#include "screens/placeholder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/controls.h"

namespace kaldate {

Placeholder::Placeholder(Services& services, const char* name, const QString& caption,
                         QWidget* owner)
    : Screen(services, name, caption, owner) {
    auto* row = new QHBoxLayout;
    auto* text =
        textBlock(QStringLiteral("The screen %1 is not built yet.").arg(QLatin1String(name)));
    text->setObjectName(QStringLiteral("placeholdertext"));
    text->setMinimumWidth(280);
    row->addWidget(text, 1);
    row->addWidget(buttonGroup({{Action::ExitBack, QString()}}));
    body()->addLayout(row);
}

}  // namespace kaldate
