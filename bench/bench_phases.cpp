// One phase of the work on a message file, timed and measured in a process of its own, for
// bench/run.sh:
//   bench_phases generate BYTES OUT   writes a message of about BYTES in the form the control
//                                     writes (generated, streamed into the control and out)
//   bench_phases PHASE FILE [REPEATS] runs PHASE on the file REPEATS times (default 3) and
//                                     prints "seconds extra_kb peak_kb": the best run's wall
//                                     time, the memory the phase took beyond what was held
//                                     before it started, and the process's peak
//   bench_phases photos COUNT OUT     writes a message of 10 KB of text and COUNT photos
//                                     (JPEG, 4000 x 3000)
// Phases: compile (BuildHtml), streamout, streamin (through the control, until its first
// screenful is laid out), copy (a one-pass copy of the bytes, the ceiling of any one-pass work),
// qtedit (the yardstick for streamin: the same paragraphs and pictures built into a plain
// QTextEdit through a QTextCursor, the pictures decoded by QImage, with the RTF taken apart
// beforehand and not timed).
#include "document/parl_doc.h"
#include "platform/qt/rich_edit_ctrl.h"
#include "platform/raw_rtf_ctrl.h"
#include "platform/richedit.h"
#include "tests/support/sample_message.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using sample::GenerateMessage;
using sample::StreamIn;
using sample::StreamOut;

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template <typename Work> void Measure(int repeats, Work work) {
    const long before = PeakKb();
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    const long peak = PeakKb();
    std::printf("%.6f %ld %ld\n", best, peak - before, peak);
}

// The paragraphs' text and the pictures' bytes of a message in the form the control writes:
// what a minimal Qt program would build its document from.
struct Parts {
    std::vector<QString> paragraphs;
    std::vector<QByteArray> pictures;
};

Parts TakeApart(const std::string& rtf) {
    Parts parts;
    QString text;
    std::size_t i = rtf.find("\\pard");
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (rtf.compare(i, 6, "{\\pict") == 0) {
            const std::size_t blank = rtf.find(' ', i);
            const std::size_t end = rtf.find('}', blank);
            parts.pictures.push_back(QByteArray::fromHex(
                QByteArray(rtf.data() + blank + 1, static_cast<qsizetype>(end - blank - 1))));
            text += QChar(QChar::ObjectReplacementCharacter);
            i = end + 1;
        } else if (rtf.compare(i, 4, "\\par") == 0 && (i + 4 >= rtf.size() || rtf[i + 4] < 'a')) {
            parts.paragraphs.push_back(text);
            text.clear();
            i += 4;
        } else if (c == '\\') {
            ++i;
            while (i < rtf.size() && ((rtf[i] >= 'a' && rtf[i] <= 'z') || rtf[i] == '-' ||
                                      (rtf[i] >= '0' && rtf[i] <= '9')))
                ++i;
            if (i < rtf.size() && rtf[i] == ' ')
                ++i;
        } else if (c == '{' || c == '}' || c == '\r' || c == '\n') {
            ++i;
        } else {
            text += QLatin1Char(c);
            ++i;
        }
    }
    return parts;
}

int Usage() {
    std::cerr << "usage: bench_phases generate BYTES OUT | compile|streamout|streamin|copy FILE "
                 "[REPEATS]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 && !(argc == 3 && std::strcmp(argv[1], "generate") != 0))
        return Usage();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string phase = argv[1];
    if (phase == "generate") {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, GenerateMessage(std::stoul(argv[2]), true));
        std::ofstream(argv[3], std::ios::binary) << StreamOut(ctrl);
        return 0;
    }
    if (phase == "photos") {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, GenerateMessage(10240, true));
        QTextCursor end(ctrl.document());
        end.movePosition(QTextCursor::End);
        ctrl.setTextCursor(end);
        for (int n = 0; n < std::atoi(argv[2]); ++n) {
            // A sky-like gradient with fine grain, about the size a camera's JPEG has.
            QImage photo(4000, 3000, QImage::Format_RGB32);
            std::uint32_t seed = 12345u + static_cast<std::uint32_t>(n);
            for (int y = 0; y < photo.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
                for (int x = 0; x < photo.width(); ++x) {
                    seed = seed * 1664525u + 1013904223u;
                    const int grain = static_cast<int>(seed >> 30);
                    line[x] = qRgb((x / 16 + grain + n * 20) & 255, (y / 12 + grain) & 255,
                                   (200 + grain) & 255);
                }
            }
            QByteArray jpeg;
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            photo.save(&buffer, "JPEG", 85);
            ctrl.InsertPicture(jpeg, RtfPictureKind::Jpeg);
        }
        std::ofstream(argv[3], std::ios::binary) << StreamOut(ctrl);
        return 0;
    }
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::string rtf = sample::ReadFile(argv[2]);
    if (rtf.empty())
        return Usage();
    if (phase == "compile") {
        CRawRtfCtrl ctrl(rtf, 4096);
        CParlDoc doc;
        doc.ResetMessageSettings();
        doc.SetView(&ctrl);
        Measure(repeats, [&] { doc.BuildHtml(); });
    } else if (phase == "streamout") {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, rtf);
        Measure(repeats, [&] { StreamOut(ctrl); });
    } else if (phase == "streamin") {
        CRichEditCtrl ctrl; // shown, as in the program, so the load includes the first layout
        ctrl.resize(800, 600);
        ctrl.show();
        QCoreApplication::processEvents();
        Measure(repeats, [&] {
            StreamIn(ctrl, rtf);
            QCoreApplication::processEvents();
        });
    } else if (phase == "qtedit") {
        const Parts parts = TakeApart(rtf);
        QTextEdit edit;
        edit.resize(800, 600);
        edit.show();
        QCoreApplication::processEvents();
        int picture = 0;
        Measure(repeats, [&] {
            edit.clear();
            QTextDocument* doc = edit.document();
            QTextCursor cursor(doc);
            cursor.beginEditBlock();
            bool first = true;
            for (const QString& paragraph : parts.paragraphs) {
                if (!first)
                    cursor.insertBlock();
                first = false;
                qsizetype from = 0;
                for (qsizetype at;
                     (at = paragraph.indexOf(QChar::ObjectReplacementCharacter, from)) >= 0;
                     from = at + 1) {
                    cursor.insertText(paragraph.mid(from, at - from));
                    const QImage image = QImage::fromData(parts.pictures[static_cast<std::size_t>(
                        picture++ % static_cast<int>(parts.pictures.size()))]);
                    const QString name = QStringLiteral("p%1").arg(picture);
                    doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
                    QTextImageFormat format;
                    format.setName(name);
                    format.setWidth(image.width());
                    format.setHeight(image.height());
                    cursor.insertImage(format);
                }
                cursor.insertText(paragraph.mid(from));
            }
            edit.setTextCursor(QTextCursor(doc));
            cursor.endEditBlock();
            QCoreApplication::processEvents();
        });
    } else if (phase == "copy") {
        Measure(repeats, [&] {
            std::string out;
            out.reserve(rtf.size());
            for (char c : rtf)
                out.push_back(c);
            if (out.size() != rtf.size())
                std::abort();
        });
    } else {
        return Usage();
    }
    return 0;
}
