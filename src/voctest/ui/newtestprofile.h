#pragma once

#include <QDialog>

class MessageService;
class QLabel;
class QLineEdit;
class QPushButton;

// Names a new test variant, or gives an existing one a new description. In new mode the user
// types a file name, which becomes a variant file in the program's folder; in rename mode the
// file name field holds the existing file's full path and cannot be changed.
class TNewTestProfile : public QDialog
{
    Q_OBJECT

public:
    TNewTestProfile(MessageService &messages, QWidget *parent = nullptr);

    // Rename mode: the file name field holds path and is disabled.
    void setRenameMode(const QString &path, const QString &description);

    QString OverwriteMsg = QStringLiteral("File already exists! Overwrite the existing file?");
    QString EmptyNameMsg = QStringLiteral("Please enter a file name.");

    // The variant file written by the last OK.
    QString writtenPath() const { return m_written; }

    void OkBtnClick();

    QLabel *FileNameLabel = nullptr;
    QLineEdit *FileNameEdit = nullptr;
    QLabel *DescriptionLabel = nullptr;
    QLineEdit *DescriptionEdit = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

private:
    // Where OK writes, or empty when nothing is to be written.
    QString targetPath();

    MessageService &m_messages;
    QString m_written;
};
