#include "voctest/ui/testpage.h"

#include "widgets/toolbarpanel.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *glyphButton(const QString &name, SpeedButton::Glyph glyph, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setIcon(SpeedButton::glyphIcon(glyph));
    button->setFixedSize(25, 25);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}
} // namespace

TestPage::TestPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VocTestPage"));
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    TestVariants = new QComboBox(Panel1);
    TestVariants->setObjectName(QStringLiteral("TestVariants"));
    TestVariants->setMinimumWidth(220);
    ConfigureTestBtn = glyphButton(QStringLiteral("ConfigureTestBtn"), SpeedButton::Glyph::Settings,
                                   QStringLiteral("Test settings"), Panel1);
    SpellIt = glyphButton(QStringLiteral("SpellIt"), SpeedButton::Glyph::Speaker,
                          QStringLiteral("Spell question"), Panel1);
    ConfigureTestBtn->setEnabled(false);
    SpellIt->setEnabled(false);
    auto *top = new QHBoxLayout(Panel1);
    top->setContentsMargins(4, 4, 4, 4);
    top->addWidget(TestVariants);
    top->addWidget(ConfigureTestBtn);
    top->addWidget(SpellIt);
    top->addStretch(1);

    MainPanel = ToolBarPanel::namedPlace(QStringLiteral("MainPanel"), this);
    InfoPanel = ToolBarPanel::namedPlace(QStringLiteral("InfoPanel"), this);
    InfoPanel->setFixedWidth(110);
    Panel3 = ToolBarPanel::namedPlace(QStringLiteral("Panel3"), this);
    Panel3->setFixedHeight(48);
    CharGrid2 = ToolBarPanel::namedPlace(QStringLiteral("CharGrid2"), this);
    CharGrid2->setFixedHeight(22);

    auto *centre = new QHBoxLayout;
    centre->addWidget(MainPanel, 1);
    centre->addWidget(InfoPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(Panel1);
    layout->addLayout(centre, 1);
    layout->addWidget(Panel3);
    layout->addWidget(CharGrid2);
}
