#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "logbook/ui/logbookpage.h"
#include "logbook/ui/lumodbloggrid.h"
#include "uilang/translate.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "voctest/ui/testpage.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

namespace {
// The hint a button was last named by, so that the next language names it anew.
const char *const NamedFromHint = "lumoNamedFromHint";
} // namespace

void TMainForm::NameControlsForScreenReaders(const QString &languageFile)
{
    // Controls with a caption are named by it; these panes have none on screen.
    const auto name = [&languageFile](QWidget *control, const char *key, const char *english) {
        control->setAccessibleName(
            Translate(languageFile, QStringLiteral("MainForm"), QLatin1String(key), QLatin1String(english)));
    };
    name(m_pageControl, "PagesName", "Pages");
    name(m_testPage->TestVariants, "TestVariantsName", "Test variant");
    name(m_testPage->AnswerEdit, "AnswerName", "Answer");
    name(m_inputPage->ProgressBar1, "SoundPositionName", "Sound position");
    name(m_inputPage->LumoDBGrid1, "VocabularyGridName", "Word pairs");
    name(m_logbookPage->LumoDBLogGrid1, "MistakesGridName", "Mistaken word pairs");
    name(m_unitPage->LumoTreeView1, "FolderTreeName", "Folders");
    for (QAbstractItemView *view : m_unitPage->LumoListView1->findChildren<QAbstractItemView *>())
        name(view, "UnitListName", "Units");
    // Buttons that show a glyph only are named by their hint, as translated just now.
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        const bool ownName = !button->accessibleName().isEmpty() &&
                             button->accessibleName() != button->property(NamedFromHint).toString();
        if (!button->text().isEmpty() || button->toolTip().isEmpty() || ownName)
            continue;
        button->setAccessibleName(button->toolTip());
        button->setProperty(NamedFromHint, button->toolTip());
    }
}
