// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_About_Unit.h"

#include <QDesktopServices>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QUrl>

#include "Look.h"
#include "Version.h"
#include "WindowFrame.h"

const QString kAboutWebPage = QStringLiteral("https://kalimar.example.org");
const QString kAboutMail = QStringLiteral("kalimar@example.org");

namespace {

const QColor clLime{0, 255, 0};

QString DescriptionText()
{
    const QStringList lines = {
        QStringLiteral("ОПИСАНИЕ"),
        QStringLiteral("Программа автоматически находит предельные отклонения,"),
        QStringLiteral("рассчитывает среднее значение поля допуска, показывает "),
        QStringLiteral("верхнее и нижнее значение допуска"),
        QStringLiteral(" "),
        QString(),
        QStringLiteral("ВЕРСИЯ " KALIMAR_VERSION "."),
        QString(),
        QStringLiteral("Разработчик: Kalimar team"),
        QStringLiteral("EMail: ") + kAboutMail,
        QString(),
        QString(),
        QString(),
        QStringLiteral("ЕЩЕ:"),
        QStringLiteral("Присылайте по почте свои пожелания"),
        QStringLiteral("к следующим версиям программы"),
        QStringLiteral("и пишите о ней на форуме."),
        QStringLiteral("Число сообщений показывает,"),
        QStringLiteral("насколько программа нужна,"),
        QStringLiteral("и ускоряет выход"),
        QStringLiteral("новых версий."),
        QString(),
        QString(),
        QStringLiteral("Программа распространяется абсолютно БЕСПЛАТНО."),
        QString(),
        QStringLiteral("Спасибо, что пользуетесь программой."),
    };
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

Tfrm_About::Tfrm_About(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    struct Look {
        QWidget* widget;
        QFont font;
        QColor colour;
    };
    const Look kLooks[] = {
        {Label4, SansFont(15, true), clMaroon},
        {Label3, SansFont(15, true), clNavy},
        {LabelWWW, SansFont(12, true, true), clBlue},
        {LabelMail, SansFont(12, true, true), clBlue},
    };
    for (const Look& look : kLooks) {
        look.widget->setFont(look.font);
        SetTextColour(look.widget, look.colour);
    }
    Memo2->setFont(PixelFont(MemoFamily(), 11));
    // Text role only: the scroll bar keeps its own arrow colour.
    QPalette memo = Memo2->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        memo.setColor(group, QPalette::Text, clLime);
        memo.setColor(group, QPalette::Base, clBlack);
    }
    Memo2->setPalette(memo);

    Label4->setText(QStringLiteral("Калимар " KALIMAR_VERSION));
    LabelWWW->setText(kAboutWebPage);
    LabelMail->setText(QStringLiteral("EMail : ") + kAboutMail);
    for (QLabel* label : std::initializer_list<QLabel*>{Label3, LabelWWW, LabelMail})
        label->adjustSize();
    connect(LabelWWW, &ClickableLabel::clicked, this, [this] { LabelWWWClick(LabelWWW); });
    connect(LabelMail, &ClickableLabel::clicked, this, [this] { LabelMailClick(LabelMail); });

    Memo2->setPlainText(DescriptionText());
    QTextCursor all(Memo2->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    // Read-only, but the text can still be selected and copied.
    Memo2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void Tfrm_About::showEvent(QShowEvent* event)
{
    // Centred on the main window at the first showing, frame on frame as the
    // window manager draws them; later showings open where the user left it.
    if (!event->spontaneous() && !testAttribute(Qt::WA_Moved) && parentWidget()) {
        const QWidget* main = parentWidget()->window();
        CentreFrameOn(this, main->frameGeometry(), main->screen()->availableGeometry());
    }
    setAttribute(Qt::WA_Moved, true);
    QDialog::showEvent(event);
}

// A link that cannot be opened changes nothing and reports nothing.
void Tfrm_About::LabelWWWClick(QObject*) { QDesktopServices::openUrl(QUrl(kAboutWebPage)); }

void Tfrm_About::LabelMailClick(QObject*) { QDesktopServices::openUrl(QUrl(QStringLiteral("Mailto:") + kAboutMail)); }
