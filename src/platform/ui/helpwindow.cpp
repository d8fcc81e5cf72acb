#include "platform/ui/helpwindow.h"

#include "platform/messageservice.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
const int PageRole = Qt::UserRole;
} // namespace

HelpWindow::HelpWindow(QWidget *parent, MessageService &messages)
    : QWidget(parent, Qt::Window), m_messages(messages)
{
    setObjectName(QStringLiteral("HelpWindow"));
    buildLayout();
    setTexts(HelpWindowTexts());
    resize(780, 540);
}

void HelpWindow::buildLayout()
{
    m_contentsButton = new QPushButton(this);
    m_backButton = new QPushButton(this);
    m_forwardButton = new QPushButton(this);
    m_searchButton = new QPushButton(this);
    m_searchButton->setCheckable(true);
    m_contentsButton->setObjectName(QStringLiteral("HelpContentsButton"));
    m_backButton->setObjectName(QStringLiteral("HelpBackButton"));
    m_forwardButton->setObjectName(QStringLiteral("HelpForwardButton"));
    m_searchButton->setObjectName(QStringLiteral("HelpSearchButton"));
    m_backButton->setEnabled(false);
    m_forwardButton->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_contentsButton, m_searchButton, m_backButton, m_forwardButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_searchPane = new QWidget(m_splitter);
    m_searchLabel = new QLabel(m_searchPane);
    m_searchLabel->setWordWrap(true);
    m_searchField = new QLineEdit(m_searchPane);
    m_searchField->setObjectName(QStringLiteral("HelpSearchField"));
    m_searchLabel->setBuddy(m_searchField);
    m_searchField->installEventFilter(this);
    m_hitList = new QListWidget(m_searchPane);
    m_hitList->setObjectName(QStringLiteral("HelpHitList"));
    m_displayButton = new QPushButton(m_searchPane);
    auto *pane = new QVBoxLayout(m_searchPane);
    pane->setContentsMargins(0, 0, 0, 0);
    pane->addWidget(m_searchLabel);
    pane->addWidget(m_searchField);
    pane->addWidget(m_hitList, 1);
    pane->addWidget(m_displayButton, 0, Qt::AlignRight);
    m_searchPane->hide();

    auto *pageSide = new QWidget(m_splitter);
    m_standInNote = new QLabel(pageSide);
    m_standInNote->setObjectName(QStringLiteral("HelpStandInNote"));
    m_standInNote->setWordWrap(true);
    m_standInNote->setFrameShape(QFrame::StyledPanel);
    m_standInNote->setMargin(4);
    m_standInNote->setAutoFillBackground(true);
    QPalette notePalette = m_standInNote->palette();
    notePalette.setColor(QPalette::Window, notePalette.color(QPalette::ToolTipBase));
    notePalette.setColor(QPalette::WindowText, notePalette.color(QPalette::ToolTipText));
    m_standInNote->setPalette(notePalette);
    m_standInNote->hide();
    m_browser = new QTextBrowser(pageSide);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(false);
    auto *pageLayout = new QVBoxLayout(pageSide);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_standInNote);
    pageLayout->addWidget(m_browser, 1);
    m_splitter->addWidget(m_searchPane);
    m_splitter->addWidget(pageSide);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_splitter, 1);

    connect(m_contentsButton, &QPushButton::clicked, this, &HelpWindow::openContents);
    connect(m_backButton, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forwardButton, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_backButton, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forwardButton, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateCaption);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateStandInNote);
    connect(m_searchButton, &QPushButton::toggled, this, &HelpWindow::setSearchPaneVisible);
    connect(m_searchField, &QLineEdit::textChanged, this, &HelpWindow::fillHits);
    connect(m_searchField, &QLineEdit::returnPressed, this, &HelpWindow::openSelectedHit);
    connect(m_hitList, &QListWidget::itemActivated, this, &HelpWindow::openSelectedHit);
    connect(m_displayButton, &QPushButton::clicked, this, &HelpWindow::openSelectedHit);
}

void HelpWindow::setSearchPaneVisible(bool visible)
{
    m_searchPane->setVisible(visible);
    // A pane hidden while the splitter was laid out comes back with no width.
    if (visible && m_splitter->sizes().value(0) == 0) {
        const int paneWidth = 230;
        m_splitter->setSizes({paneWidth, qMax(m_splitter->width() - paneWidth, paneWidth)});
    }
}

void HelpWindow::setTexts(const HelpWindowTexts &texts)
{
    m_texts = texts;
    m_contentsButton->setText(texts.contentsButton);
    m_backButton->setText(texts.backButton);
    m_forwardButton->setText(texts.forwardButton);
    m_searchButton->setText(texts.searchButton);
    m_searchLabel->setText(texts.searchLabel);
    m_displayButton->setText(texts.displayButton);
    m_standInNote->setText(texts.msgHelpPageInEnglish);
    updateCaption();
}

void HelpWindow::setHelp(const HelpFolder &folder, const HelpKeywordIndex &index)
{
    m_folder = folder;
    m_index = index;
    fillHits(m_searchField->text());
    updateStandInNote(m_browser->source());
}

bool HelpWindow::openPage(const QUrl &page)
{
    const QString file = page.toLocalFile();
    if (!QFileInfo(file).isFile()) {
        m_messages.show(MessageService::Kind::Warning,
                        m_texts.msgHelpTopicMissing + QStringLiteral("\r\n") + file, MessageService::Ok);
        return false;
    }
    m_browser->setSource(page);
    // A page opened at an anchor is shown before the browser reports it as its source.
    updateStandInNote(page);
    updateCaption();
    return true;
}

bool HelpWindow::openContents()
{
    const QString name = QString::fromLatin1(HelpFolder::ContentsPageName);
    const QString file = m_folder.find(name);
    return openPage(QUrl::fromLocalFile(file.isEmpty() ? m_folder.expected(name) : file));
}

void HelpWindow::showSearchPane()
{
    m_searchButton->setChecked(true);
    m_searchField->clear();
    fillHits(QString());
    m_searchField->setFocus();
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

bool HelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow and page keys in the search field move through the hits, so that the hand
    // can stay on the keyboard.
    if (watched == m_searchField && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: QCoreApplication::sendEvent(m_hitList, event); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::followLink(const QUrl &link)
{
    QUrl target = m_browser->source().resolved(link);
    if (!target.isLocalFile()) {
        QDesktopServices::openUrl(target);
        return;
    }
    // Pages link by name: from an English stand-in back to the translated page, and from a
    // translated page to the English one it lacks.
    const QString found = m_folder.find(QFileInfo(target.toLocalFile()).fileName());
    if (!found.isEmpty()) {
        const QString fragment = target.fragment();
        target = QUrl::fromLocalFile(found);
        target.setFragment(fragment);
    }
    openPage(target);
}

void HelpWindow::fillHits(const QString &text)
{
    m_hitList->clear();
    for (const HelpKeywordIndex::Entry &entry : m_index.matching(text)) {
        auto *item = new QListWidgetItem(hitText(entry), m_hitList);
        item->setData(PageRole, entry.page);
    }
    if (m_hitList->count() > 0)
        m_hitList->setCurrentRow(0);
}

QString HelpWindow::hitText(const HelpKeywordIndex::Entry &entry) const
{
    // A keyword that leads to several pages names the page, so that the hits can be told apart.
    int pages = 0;
    for (const HelpKeywordIndex::Entry &other : m_index.entries())
        if (QString::compare(other.keyword, entry.keyword, Qt::CaseInsensitive) == 0)
            ++pages;
    if (pages < 2)
        return entry.keyword;
    const QString name = entry.page.section(u'#', 0, 0);
    const QString found = m_folder.find(name);
    const QString title = HelpFolder::pageTitle(found.isEmpty() ? m_folder.expected(name) : found);
    return title.isEmpty() ? entry.keyword : entry.keyword + QStringLiteral(" - ") + title;
}

void HelpWindow::openSelectedHit()
{
    const QListWidgetItem *item = m_hitList->currentItem();
    if (!item)
        return;
    const QString page = item->data(PageRole).toString();
    const QString name = page.section(u'#', 0, 0);
    const QString found = m_folder.find(name);
    QUrl url = QUrl::fromLocalFile(found.isEmpty() ? m_folder.expected(name) : found);
    if (page.contains(u'#'))
        url.setFragment(page.section(u'#', 1));
    openPage(url);
}

void HelpWindow::updateStandInNote(const QUrl &page)
{
    m_standInNote->setVisible(page.isLocalFile() && m_folder.isStandIn(page.toLocalFile()));
}

void HelpWindow::updateCaption()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? m_texts.caption : m_texts.caption + QStringLiteral(" - ") + title);
}
