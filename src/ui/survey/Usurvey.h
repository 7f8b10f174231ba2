#pragma once

#include "core/survey/SurveyMarks.h"
#include "ui/survey/SurveyExport.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class EventMapView;
class QLabel;
class QProgressBar;
class QPushButton;
class QTemporaryDir;
class QTimer;
class RadioGroup;
class StringGrid;
class SurveyRun;
class SurveyTableModel;

// The event window: every record of a folder or an archive surveyed on worker threads,
// the rows shown as they come, the records that could not be read with their reasons,
// and a map of the stations coloured by class. A double click opens a record.
class TSurvey : public QWidget {
    Q_OBJECT
public:
    // `openRecord` shows a record file scanned in the data set window.
    TSurvey(std::function<void(const QString& file)> openRecord, QWidget* parent);
    ~TSurvey() override;

    QPushButton* Button1 = nullptr;  // フォルダを開く
    QPushButton* Button2 = nullptr;  // 書庫を開く
    QPushButton* Button3 = nullptr;  // 停止
    QPushButton* Button4 = nullptr;  // 表をCSV保存
    QPushButton* Button5 = nullptr;  // 失敗をCSV保存
    QPushButton* Button6 = nullptr;  // 地図をPNG保存
    QPushButton* Button7 = nullptr;  // 地図をコピー
    QPushButton* Button8 = nullptr;  // 閉じる
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label1 = nullptr;  // what is surveyed and how far
    QLabel* Label2 = nullptr;  // units and conventions
    QLabel* Label3 = nullptr;  // heading of the failures
    StringGrid* StringGrid1 = nullptr;  // the rows
    StringGrid* StringGrid2 = nullptr;  // the failures
    EventMapView* MyMap1 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;  // colour by intensity class, long-period class, PGA

    // Surveys the paths (files, folders, archives), replacing what was shown.
    void Start(const std::vector<std::filesystem::path>& paths, int threads = 0);
    bool Running() const;
    const SurveyTableModel& Table() const { return *model_; }
    const std::vector<SurveyFailure>& Failures() const { return failures_; }

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void RadioGroup1Click();
    void StringGrid1DblClick(int row);
    void MyMap1Click(std::size_t mark);

signals:
    // The survey ended: every record done, or stopped.
    void SurveyFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    void Poll();
    void ShowProgress();
    void ShowMarks();
    void CurrentRowChanged(int row);
    tremvix::MarkScheme Scheme() const;

    std::function<void(const QString&)> openRecord_;
    SurveyTableModel* model_ = nullptr;
    QTimer* timer_ = nullptr;
    std::unique_ptr<SurveyRun> run_;
    std::unique_ptr<QTemporaryDir> copies_;  // records of archives opened by a double click
    std::vector<SurveyFailure> failures_;
    std::size_t taken_ = 0;               // outcomes taken from the run
    std::vector<std::size_t> markEntry_;  // mark → table entry
    std::vector<int> entryMark_;          // table entry → mark, or −1
    QString source_;
};
