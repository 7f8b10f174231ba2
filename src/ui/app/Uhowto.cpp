#include "ui/app/Uhowto.h"

#include "ui/base/HandlerCall.h"
#include "ui/app/Logo.h"
#include "ui/base/WindowStyle.h"
#include "ui/base/FormBuilder.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

THowTo::THowTo(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HowTo"));
    setWindowTitle(QStringLiteral("使い方"));
    ApplyWindowStyle(this, WindowTextColor::Green);
    resize(438, 530);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(TremvixLogo());
    logo->setGeometry(88, 16, 227, 48);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(24, 80, 385, 361);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->setFont(FormBuilder::ProportionalFont(13, true));
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Base, FormBuilder::ColorOf(0xFEDEC0));
    palette.setColor(QPalette::Text, QColor(0, 0x80, 0x80));
    Memo1->setPalette(palette);
    Memo1->setPlainText(UsageText());

    Button1 = FormBuilder::Button(this, "Button1", 160, 456, 75, 25, QStringLiteral("閉じる"));
    ConnectHandler(Button1, &QPushButton::clicked, this, &THowTo::Button1Click);
}

void THowTo::Button1Click() { close(); }

QString THowTo::UsageText() {
    return QStringLiteral(
        "Tremvix　Ver3.3　　2010/12/15\n"
        "Tremvix 開発チーム（振動計測データ解析室）\n"
        "\n"
        "１．概要\n"
        "　このプログラムは，振動計測や地震応答観測で記録された時刻歴データ（CSV形式のファイル）を"
        "読み込み，波形をグラフに表示します．一度に最大８チャンネルまでのデータを読み込み，重ねて表示できます．"
        "加速度データからは速度・変位を，速度データからは変位を積分して求め，表示することができます．"
        "１チャンネル当たりのデータ数に上限はありません（メモリの許す限り読み込めます）．\n"
        "\n"
        "２．表示データの読込とグラフ表示\n"
        "（１）データファイルには標準形式とE-Defence形式の２種類があります．メニューの「ファイル」→"
        "「データ形式」で形式を選ぶと，データセット画面が開きます．「データ設定」ボタンでも開きます．\n"
        "（２）データセット画面の「ファイル」ボタンでファイルを選ぶと，ファイルに含まれるチャンネルの"
        "一覧とデータ数が表示されます．\n"
        "（３）表示したいチャンネルの行をクリックして「●」を付け（「全選択」，自動選択も使えます），"
        "「転送」ボタンを押すとデータが読み込まれます．\n"
        "（４）「グラフ」ボタンを押すと，選択（選の列に「●」）したチャンネルの波形が描かれます．"
        "表示時間と開始点は右側の設定で変えられます．\n"
        "（５）「フィルタ（表示時）」をチェックすると，転送時にローパスフィルタがかかります．"
        "コーナー振動数はメニューの「編集」で選びます．\n"
        "（６）極性の列のチェックボックスをチェックすると，波形の符号を反転して表示します（極性変換）．\n"
        "（７）MAXの列をチェックすると，そのチャンネルの正負の最大値の推移を表示します（最大値の表示）．"
        "同時に５チャンネルまでです．\n"
        "（８）「データリスト」をチェックすると，読み込んだデータを数値で一覧表示します．"
        "グラフをクリックすると，その点のデータが選ばれます（データのリスト表示）．\n"
        "\n"
        "３．積分波形の表示\n"
        "　一覧の「型」の列は，A：加速度，V：速度，D：変位を表します．チャンネルの行を選んで右クリックし，"
        "メニューから「速度に変換」「変位（mm）に変換」「変位（cm）に換算」を選ぶと積分します．"
        "積分の前には平均値を除き，「フィルタ(積分時）」で選んだフィルタ（なし・バンドパス・ローパス）を"
        "かけます．フィルタやサンプリング率の条件を変えたときは，データを読み込み直してください．\n"
        "\n"
        "４．強震記録・解析・コマンドライン\n"
        "　読み込める形式は，標準形式と E-Defence 形式（メニュー「ファイル」の「データ形式」で選びます）の"
        "CSV ファイルと，K-NET・KiK-net の ASCII 形式，気象庁の CSV 形式，PEER NGA の AT2 形式の強震記録です．"
        "強震記録はメニューの形式によらず内容で判定して読み込み，同じ記録の他の成分も一覧に並べます．"
        "メニュー「解析」で応答スペクトル・フーリエスペクトル・スペクトル比と，最大値・計測震度の表を求めます"
        "（最大値などの指標は平均値を除いた記録から求めます）．"
        "チャンネル一覧の行を右クリックしたメニューの「スペクトル」は，その行のチャンネルを選んで"
        "スペクトル解析の画面を開きます．tremvix --help でコマンドラインの使い方を表示します．\n"
        "　詳しくは使用説明書 docs/manual-ja.md（インストール先では /usr/share/doc/tremvix/manual-ja.md）を"
        "ご覧ください．\n"
        "\n"
        "更新履歴\n"
        "Ver1.0　2003/04/10　最初の版．標準形式データの波形表示．\n"
        "Ver1.5　2004/06/21　ローパスフィルタと移動平均を追加．\n"
        "Ver2.0　2006/02/14　速度・変位への積分を追加．\n"
        "Ver2.5　2007/09/03　極性変換と最大値の表示を追加．\n"
        "Ver3.0　2009/05/18　E-Defence形式データに対応．データリストを追加．\n"
        "Ver3.1　2010/03/08　縦カーソルと数値の読み取りを追加．\n"
        "Ver3.2　2010/10/25　グラフのPNG保存とデータのCSV保存を追加．\n"
        "Ver3.3　2010/12/15　自動選択（1/2/4/8チャンネル）を追加．\n"
        "Ver3.3.1　2026/12/08　データ数の上限をなくし，強震記録の読込，スペクトル，計測震度，"
        "コマンドライン，デスクトップへのインストールを追加．\n");
}
