#pragma once

// Two halves of one continuous sound, each encoded by LAME, and what a
// recording of them played one after the other shows of the join: samples
// inserted (or lost, below 0) where they meet, and the largest step from one
// sample to the next there against the sound's own largest step nearby.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace tv::bench {

struct JoinCheck {
    static constexpr int kRate = 48000;
    // Samples in an MP3 frame.
    static constexpr int kFrame = 1152;
    // A rising tone that never repeats, so that a stretch of it is found in
    // one place only.
    std::vector<int16_t> signal;
    // The first sample of the second half: no frame boundary.
    int cut = 0;

    explicit JoinCheck(double seconds) {
        const int n = int(seconds * kRate);
        const double f0 = 300, f1 = 2500;
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / kRate;
            const double phase = 2 * M_PI * (f0 * t + (f1 - f0) * t * t / (2 * seconds));
            signal.push_back(int16_t(std::lround(9000 * std::sin(phase))));
        }
        // Each half alone ends (or starts) with a jump, at which the coder's
        // low-pass rings by about a tenth of the jump: the coder's doing, not
        // the join's. Cut where the sound rises through zero, then.
        cut = n / 2 + 577;
        while (cut < n - 1 &&
               (signal[size_t(cut - 1)] >= 0 || signal[size_t(cut)] < 0 || cut % kFrame == 0))
            ++cut;
    }

    // The halves as MP3 files in folder: first.mp3 and second.mp3. False when
    // lame is missing or fails.
    bool write(const QString &folder) const {
        return encode(folder + "/first", 0, cut) &&
               encode(folder + "/second", cut, int(signal.size()));
    }

    struct Result {
        bool found = false;
        long inserted = 0;
        int joinStep = 0;
        int nearbyStep = 0;
        bool sound() const { return found && inserted == 0 && joinStep <= nearbyStep; }
    };

    // Where each half lies in the recording is found by matching a stretch of
    // it well away from the join; the gap between the two places is what the
    // join inserted.
    Result measure(const std::vector<int16_t> &recording) const {
        Result r;
        const long span = kRate / 10;
        const long first = locate(recording, cut - 2 * span, span, 0, long(recording.size()));
        if (first < 0)
            return r;
        const long second = locate(recording, cut + span, span, first - kRate, first + kRate);
        if (second < 0)
            return r;
        r.found = true;
        r.inserted = second - first;
        const long join = first + cut;
        r.joinStep = largestStep(recording, join - 4, join + 4 + std::max(0L, r.inserted));
        r.nearbyStep =
            std::max(largestStep(recording, join - span, join - 8),
                     largestStep(recording, join + 8 + std::max(0L, r.inserted), join + span));
        return r;
    }

private:
    static QByteArray le(quint32 value, int bytes) {
        value = qToLittleEndian(value);
        return QByteArray(reinterpret_cast<const char *>(&value), bytes);
    }

    // Written as 16-bit mono WAVE for lame, which reads raw samples only
    // when built without libsndfile.
    bool encode(const QString &base, int from, int to) const {
        QByteArray sound;
        for (int i = from; i < to; ++i)
            sound.append(le(quint16(signal[size_t(i)]), 2));
        const QByteArray wave = "RIFF" + le(36 + quint32(sound.size()), 4) + "WAVEfmt " +
                                le(16, 4) + le(1, 2) + le(1, 2) + le(kRate, 4) + le(2 * kRate, 4) +
                                le(2, 2) + le(16, 2) + "data" + le(quint32(sound.size()), 4) +
                                sound;
        QFile file(base + ".wav");
        if (!file.open(QIODevice::WriteOnly) || file.write(wave) != wave.size())
            return false;
        file.close();
        const int rc = QProcess::execute(
            "lame", {"--quiet", "-m", "m", "-b", "320", base + ".wav", base + ".mp3"});
        QFile::remove(base + ".wav");
        return rc == 0;
    }

    // The offset of the recording at which signal[at, at + span) lies, the
    // offset searched in [from, to); -1 when it is not there.
    long locate(const std::vector<int16_t> &rec, long at, long span, long from, long to) const {
        from = std::max(0L, from);
        to = std::min(to, long(rec.size()) - at - span);
        long best = -1;
        double bestError = std::numeric_limits<double>::max();
        for (long offset = from; offset < to; ++offset) {
            double error = 0;
            for (long i = 0; i < span && error < bestError; i += 4) {
                const double d = double(rec[size_t(offset + at + i)]) - signal[size_t(at + i)];
                error += d * d;
            }
            if (error < bestError) {
                bestError = error;
                best = offset;
            }
        }
        // A match is the sound itself, with no more than the coder's error.
        return best >= 0 && bestError / (span / 4) < 600.0 * 600.0 ? best : -1;
    }

    static int largestStep(const std::vector<int16_t> &rec, long from, long to) {
        int step = 0;
        for (long i = std::max(0L, from); i + 1 < std::min(to, long(rec.size())); ++i)
            step = std::max(step, std::abs(int(rec[size_t(i + 1)]) - int(rec[size_t(i)])));
        return step;
    }
};

} // namespace tv::bench
