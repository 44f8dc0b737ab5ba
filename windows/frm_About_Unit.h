// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: title, description and two links handed to the desktop.
#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_About_Unit.h"

// The developer's addresses, shown in the window and opened by its links.
extern const QString kAboutWebPage;
extern const QString kAboutMail;

class Tfrm_About : public QDialog, private Ui::Tfrm_About {
    Q_OBJECT

public:
    explicit Tfrm_About(QWidget* parent = nullptr);

    void LabelWWWClick(QObject* Sender);
    void LabelMailClick(QObject* Sender);

protected:
    void showEvent(QShowEvent* event) override;
};
