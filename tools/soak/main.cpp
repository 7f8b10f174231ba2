// tremvix-soak: the whole use of the windows, over and over in one process, on both
// bundled samples: scan, transfer with the filter and the moving average, the three
// integrations, drawing, cursor moves, data list clicks, clearing. Prints the
// resident memory after 10 rounds and after the last, and fails when a round shows
// a message or gives other results than the round before it.
// Usage: tremvix-soak [ROUNDS] [FILE]   (1000 rounds by default; with FILE, a standard
// file of at least three channels takes the place of the samples, for long records;
// offscreen unless QT_QPA_PLATFORM is set)

#include "core/data/ChannelStore.h"
#include "ui/base/Dialogs.h"
#include "ui/app/Forms.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Mywave.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// VmRSS of /proc/self/status, in kB; -1 when it cannot be read.
long ResidentKb() {
    // /proc files report a size of 0, so they are read as a stream to the end.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void AddBytes(QCryptographicHash& hash, const void* bytes, std::size_t size) {
    hash.addData(QByteArrayView(static_cast<const char*>(bytes), static_cast<qsizetype>(size)));
}

void AddImage(QCryptographicHash& hash, const QImage& image) {
    AddBytes(hash, image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
}

// What the records hold, their samples included (not where they are kept).
void AddStore(QCryptographicHash& hash, const tremvix::ChannelStore& store) {
    for (const auto* bank : {store.BaseBank, store.VelocityBank, store.DisplacementBank})
        for (int k = 0; k < tremvix::kMaxChannels; ++k) {
            const tremvix::ChannelRecord& r = bank[k];
            for (const char* field : {r.ChannelId, r.PointName, r.Memo, r.Unit}) hash.addData(field);
            AddBytes(hash, &r.SampleCount, sizeof r.SampleCount);
            AddBytes(hash, r.Samples.data(), r.Samples.size() * sizeof(float));
        }
    AddBytes(hash, store.HasVelocity, sizeof store.HasVelocity);
    AddBytes(hash, store.HasDisplacement, sizeof store.HasDisplacement);
    AddBytes(hash, &store.DataCount, sizeof store.DataCount);
}

// One pass through one sample file; returns a digest of everything it produced.
QByteArray Pass(const QString& file, QAction* format) {
    if (!format->isChecked()) format->trigger();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    Dialogs::SetOpenFileHandler([file](const QString&) { return file; });
    SetData->Button2->click();
    SetData->Button3->click();
    for (int row = 1; row <= 3; ++row) SetData->StringGrid1->setCell(4, row, TSetData::kMark);
    SetData->CheckBox2->setChecked(true);
    SetData->Button4->click();
    AddImage(hash, Open->MyWave1->image());

    QAction* const conversions[] = {Open->Velocity, Open->Displacement, Open->cm1};
    for (int row = 1; row <= 3; ++row) {
        Open->StringGrid1->setCurrentCell(1, row);
        conversions[row - 1]->trigger();
    }
    Open->Button4->click();
    AddImage(hash, Open->MyWave1->image());
    AddStore(hash, Open->Store());

    for (int x = 40; x <= 600; x += 37) Open->MyWave1MouseMove(x, 70 + x % 300);
    for (const int y : {70, 211, 352}) Open->MyWave1MouseDown(300, y);
    Open->MyWave1MouseMove(333, 211);
    AddImage(hash, Open->MyWave1->image());
    hash.addData(DataList->Label2->text().toUtf8());
    Open->Button3->click();
    return hash.result();
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (rounds < 1 || argc > 3) {
        std::fprintf(stderr, "usage: tremvix-soak [ROUNDS] [FILE]\n");
        return 2;
    }
    const QString ownFile = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    int shown = 0;
    bool counting = false;  // the notices of the set-up are expected
    Dialogs::SetMessageHandler([&](const QString& text, const QString&, unsigned) {
        if (!counting) return Dialogs::kOk;
        ++shown;
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
        return Dialogs::kOk;
    });
    CreateForms();
    Open->CBFilter->setChecked(true);
    Open->CBMove->setChecked(true);
    Open->CheckBox1->setChecked(false);
    Open->CBList->setChecked(true);
    counting = true;

    const QString examples = QStringLiteral(TREMVIX_SOAK_EXAMPLES "/");
    QByteArray reference;
    int differing = 0;
    for (int round = 1; round <= rounds; ++round) {
        const QByteArray digest = ownFile.isEmpty() ? Pass(examples + "sample_standard.csv", Open->N9) +
                                                          Pass(examples + "sample_edefence.csv", Open->EDefence1)
                                                    : Pass(ownFile, Open->N9);
        // The first round differs in the cursor alone: no earlier cursor line to invert.
        if (round == 2) reference = digest;
        if (round > 2 && digest != reference) ++differing;
        if (round == 10) std::printf("VmRSS after %d rounds: %ld kB\n", round, ResidentKb());
        app.processEvents();
    }
    std::printf("VmRSS after %d rounds: %ld kB\n", rounds, ResidentKb());
    std::printf("messages: %d, rounds differing from round 2: %d\n", shown, differing);
    DestroyForms();
    Dialogs::SetMessageHandler({});
    Dialogs::SetOpenFileHandler({});
    return shown == 0 && differing == 0 ? 0 : 1;
}
