// Many rounds of the whole use in one process, on both bundled samples: scan,
// transfer with the filter and the moving average, integration, drawing, cursor,
// data list clicks and clearing. Every round must show no message and give the
// same results as the ones before it.
#include "RobustnessSupport.h"

#include "ui/display/Udatalist.h"

#include <QAction>
#include <QCryptographicHash>

#include <cstring>

namespace {

constexpr int kRounds = 50;

// What one pass through one sample leaves behind.
struct PassResult {
    QImage drawn;          // after the transfer, which draws
    QImage integrated;     // redrawn after the three integrations
    QImage afterCursor;    // after the cursor moves and the clicks
    QByteArray storeHash;  // the store once integrated
    QString listCell;      // the data list's current cell and its label
    QString types;         // the type column once integrated
    bool operator==(const PassResult&) const = default;
};

void AddRecord(QCryptographicHash& hash, const tremvix::ChannelRecord& record) {
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&record.Filled), sizeof record.Filled));
    for (const char* field : {record.ChannelId, record.PointName, record.Memo, record.Unit}) hash.addData(field);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&record.SampleCount), sizeof record.SampleCount));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(record.Samples.data()),
                                static_cast<qsizetype>(record.Samples.size() * sizeof(float))));
}

// Everything the store holds: the three banks, the counts and the flags.
QByteArray HashOf(const tremvix::ChannelStore& store) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int k = 0; k < tremvix::kMaxChannels; ++k) {
        for (const auto* bank : {store.BaseBank, store.VelocityBank, store.DisplacementBank}) AddRecord(hash, bank[k]);
        const bool flags[] = {store.IsAcceleration[k], store.HasVelocity[k], store.HasDisplacement[k],
                              store.PolarityNormal[k]};
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(flags), sizeof flags));
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(&store.DisplayType[k]), 1));
    }
    const std::int32_t counts[] = {store.ChannelCount, store.DataCount, store.FileLineCount};
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(counts), sizeof counts));
    return hash.result();
}

}  // namespace

class SoakTest : public RobustnessTest {
protected:
    void SetUp() override {
        RobustnessTest::SetUp();
        Open->CBFilter->setChecked(true);
        Open->CBMove->setChecked(true);
        Open->CheckBox1->setChecked(false);  // clear without the question
        Open->CBList->setChecked(true);
        messages.clear();  // the notices to read the data again
    }

    PassResult Pass(const char* sample, QAction* format) {
        if (!format->isChecked()) format->trigger();
        PassResult r;
        Scan(ExampleFile(sample));
        Transfer({1, 2, 3});
        r.drawn = Open->MyWave1->image().copy();
        QAction* const conversions[] = {Open->Velocity, Open->Displacement, Open->cm1};
        for (int row = 1; row <= 3; ++row) {
            Open->StringGrid1->setCurrentCell(1, row);
            conversions[row - 1]->trigger();
        }
        Open->Button4->click();
        r.integrated = Open->MyWave1->image().copy();
        r.storeHash = HashOf(Open->Store());
        for (int row = 1; row <= 3; ++row) r.types += Open->StringGrid1->cell(4, row);
        for (int x = 40; x <= 600; x += 37) Open->MyWave1MouseMove(x, 70 + x % 300);
        for (const int y : {70, 211, 352}) Open->MyWave1MouseDown(300, y);
        Open->MyWave1MouseMove(333, 211);
        r.afterCursor = Open->MyWave1->image().copy();
        r.listCell = QStringLiteral("%1,%2 %3")
                         .arg(DataList->StringGrid1->col())
                         .arg(DataList->StringGrid1->row())
                         .arg(DataList->Label2->text());
        Open->Button3->click();
        return r;
    }
};

TEST_F(SoakTest, RoundsGiveTheSameResultsAndNoMessage) {
    std::vector<PassResult> first, second;
    for (int round = 1; round <= kRounds; ++round) {
        const std::vector<PassResult> now = {Pass("sample_standard.csv", Open->N9),
                                             Pass("sample_edefence.csv", Open->EDefence1)};
        ASSERT_TRUE(messages.empty()) << "round " << round << ": " << messages.front().text.toStdString();
        if (round == 1) first = now;
        if (round == 2) second = now;
        for (std::size_t p = 0; p < now.size(); ++p) {
            ASSERT_TRUE(now[p].drawn == first[p].drawn) << "round " << round << " pass " << p;
            ASSERT_TRUE(now[p].integrated == first[p].integrated) << "round " << round << " pass " << p;
            ASSERT_EQ(now[p].storeHash, first[p].storeHash) << "round " << round << " pass " << p;
            ASSERT_EQ(now[p].listCell, first[p].listCell) << "round " << round << " pass " << p;
            ASSERT_EQ(now[p].types, QStringLiteral("VDD")) << "round " << round << " pass " << p;
            // From the second round on, the first move also inverts the line the last
            // round left at the old cursor position, as a redraw keeps that position.
            if (round >= 2) {
                ASSERT_TRUE(now[p].afterCursor == second[p].afterCursor) << "round " << round << " pass " << p;
            }
        }
    }
    // The rounds did real work: two different samples, traces drawn, the list clicked.
    EXPECT_FALSE(first[0].drawn == first[1].drawn);
    EXPECT_FALSE(first[0].drawn == first[0].integrated);
    EXPECT_TRUE(first[0].listCell.contains(QStringLiteral("3 CH")));
    EXPECT_EQ(Open->Store().ChannelCount, 0);
    EXPECT_TRUE(Open->StringGrid1->cell(1, 1).isEmpty());
}
