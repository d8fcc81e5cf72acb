#pragma once

#include <QDialog>
#include <QObject>
#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// The chooser form: the UI languages by description, the file of each kept alongside.
class TLanguageSelect : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 400;
    static constexpr int ClientWidth = 312;
    static constexpr int ClientHeight = 168;

    explicit TLanguageSelect(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QComboBox *LanguageComboBox = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
    QListWidget *FileNameList = nullptr; // never shown

signals:
    void helpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateOk();
};

// The UI language chooser as the main window uses it: give it the folder and the current
// file, Execute it, and take the chosen file.
class TLanguageDlg : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Path READ path WRITE setPath)
    Q_PROPERTY(QString Extension READ extension WRITE setExtension)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)

public:
    explicit TLanguageDlg(QObject *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    QString extension() const { return m_extension; }
    void setExtension(const QString &extension) { m_extension = extension; }
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &file) { m_languageFile = file; }

    // True with LanguageFile set to the chosen file after OK; false and nothing changed
    // otherwise.
    bool Execute(QWidget *parent = nullptr);

    // Shows the form modally and gives its result; tests script it.
    void setFormRunner(std::function<int(TLanguageSelect &)> runner) { m_run = std::move(runner); }

signals:
    void helpRequested(int helpContext);

private:
    void prepare(TLanguageSelect &form);

    QString m_path;
    QString m_extension = QStringLiteral("llf");
    QString m_languageFile;
    std::function<int(TLanguageSelect &)> m_run;
};
