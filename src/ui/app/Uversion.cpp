#include "ui/app/Uversion.h"

#include "ui/base/HandlerCall.h"
#include "ui/app/Logo.h"
#include "ui/base/WindowStyle.h"
#include "ui/base/FormBuilder.h"

#include <QLabel>
#include <QPushButton>

TVersion::TVersion(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Version"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    ApplyWindowStyle(this, WindowTextColor::Teal);
    resize(344, 306);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(TremvixLogo());
    logo->setGeometry(48, 23, 227, 48);

    QFont big;
    big.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
    big.setPixelSize(19);
    big.setBold(true);
    const struct {
        const char* name;
        int x, y;
        QString text;
    } lines[] = {{"Label1", 128, 96, QStringLiteral("Ver. 3.3")},
                 {"Label2", 112, 128, QStringLiteral("2011/12/20")},
                 {"Label3", 112, 160, QStringLiteral("Tremvix 開発チーム")},
                 {"Label4", 104, 192, QStringLiteral("振動計測データ解析室")}};
    for (const auto& line : lines) {
        QLabel* label = FormBuilder::Label(this, line.name, line.x, line.y, line.text);
        label->setFont(big);
        label->adjustSize();
    }
    // The licence, under the close button: FFTW, which the spectra use, is GPL.
    QLabel* licence = FormBuilder::Label(this, "Label5", 0, 270,
                                         QStringLiteral("%1　　SPDX-License-Identifier: %2")
                                             .arg(QStringLiteral(TREMVIX_VERSION), QStringLiteral(TREMVIX_LICENSE)));
    licence->setFont(FormBuilder::ProportionalFont(11, false));
    licence->setGeometry(0, 270, width(), 16);
    licence->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // Where the event map's coastline comes from.
    QLabel* coast = FormBuilder::Label(this, "Label6", 0, 286, QStringLiteral("地図の海岸線: Natural Earth（パブリックドメイン）"));
    coast->setFont(FormBuilder::ProportionalFont(11, false));
    coast->setGeometry(0, 286, width(), 16);
    coast->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Button1 = FormBuilder::Button(this, "Button1", 136, 232, 75, 25, QStringLiteral("閉じる"));
    ConnectHandler(Button1, &QPushButton::clicked, this, &TVersion::Button1Click);
}

void TVersion::Button1Click() { close(); }
