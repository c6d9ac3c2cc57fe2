// use.so: the About window.
#include "CompanionAbi.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString Text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

} // namespace

// No moc classes here: the program unloads this library after each About.
extern "C" __attribute__((visibility("default"))) void ShowAboutForm(void* application, TAboutInfo info)
{
    auto* app = static_cast<QApplication*>(application);
    if (!app)
        return;
    QDialog about(QApplication::activeWindow());
    about.setObjectName(QStringLiteral("frmAbout"));
    about.setWindowTitle(QStringLiteral("About ") + Text(info.ProductName));
    about.setFixedWidth(420);
    auto* layout = new QVBoxLayout(&about);
    auto* title = new QLabel(Text(info.ProductName) + QLatin1Char(' ') + Text(info.Version), &about);
    title->setObjectName(QStringLiteral("lblProduct"));
    // The passed texts are shown as they are, never read as markup.
    title->setTextFormat(Qt::PlainText);
    QFont font = title->font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);
    auto* company = new QLabel(QStringLiteral("by ") + Text(info.Company), &about);
    company->setObjectName(QStringLiteral("lblCompany"));
    company->setTextFormat(Qt::PlainText);
    layout->addWidget(company);
    for (const char* part : {info.AboutText1, info.AboutText2}) {
        auto* label = new QLabel(Text(part), &about);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    const QString home = Text(info.HomePage).toHtmlEscaped();
    const QString email = Text(info.Email).toHtmlEscaped();
    auto* links =
        new QLabel(QStringLiteral("<a href=\"%1\">%1</a><br><a href=\"mailto:%2\">%2</a>").arg(home, email), &about);
    links->setObjectName(QStringLiteral("lblLinks"));
    links->setTextFormat(Qt::RichText);
    links->setOpenExternalLinks(true);
    layout->addWidget(links);
    auto* folder = new QLabel(QStringLiteral("Installed in ") + Text(info.AppPath), &about);
    folder->setObjectName(QStringLiteral("lblAppPath"));
    folder->setTextFormat(Qt::PlainText);
    folder->setWordWrap(true);
    layout->addWidget(folder);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    about.exec();
}
