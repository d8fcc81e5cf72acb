// The grid's search for a text in the unit's words.
#include "input/ui/finddlg.h"
#include "input/ui/lumodbgrid.h"
#include "platform/table/sqlitetable.h"
#include "widgets/lumotablemodel.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <memory>

void TLumoDBGrid::Find()
{
    const std::unique_ptr<TFindDlg> dialog(new TFindDlg(this));
    dialog->setCaptions(m_languageFile, objectName());
    dialog->FindWhatEdit->setText(FindText);
    dialog->NativeLanguage->setChecked(FindInNative);
    dialog->ForeignLanguage->setChecked(FindInForeign);
    const int result = m_runFindDialog ? m_runFindDialog(*dialog) : dialog->exec();
    if (result != QDialog::Accepted)
        return;
    FindText = dialog->FindWhatEdit->text();
    FindInNative = dialog->NativeLanguage->isChecked();
    FindInForeign = dialog->ForeignLanguage->isChecked();
    FindAgain();
}

void TLumoDBGrid::FindAgain()
{
    SqliteTable *table = dataSet();
    // What is being typed belongs to the entry before the search leaves it.
    if (!table || !table->active() || !commitEditor())
        return;
    QList<int> fields;
    QList<QLocale> caseRules;
    if (FindInNative) {
        fields.append(table->fieldIndex(QStringLiteral("NativeLanguage")));
        caseRules.append(m_findCaseRules.value(0, QLocale::c()));
    }
    if (FindInForeign) {
        fields.append(table->fieldIndex(QStringLiteral("ForeignLanguage")));
        caseRules.append(m_findCaseRules.value(1, QLocale::c()));
    }
    guarded([&] { table->findText(fields, FindText, caseRules); });
    setFocus();
}

QString TLumoDBGrid::fieldAtPlace(int place) const
{
    const int column = horizontalHeader()->logicalIndex(place);
    const QList<LumoTableModel::ColumnDef> columns = LumoTableModel::vocabularyColumns();
    return column >= 0 && column < columns.size() ? columns.at(column).field : QString();
}
