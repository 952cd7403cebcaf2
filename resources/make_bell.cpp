// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// make_bell OUTPUT.wav
// Writes the default alarm sound: a short two-tone bell (ding, then dong),
// 16-bit mono PCM at 44100 Hz.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 1.2;
constexpr double kAttackSeconds = 0.005;
constexpr double kDecaySeconds = 0.22;
constexpr double kFadeOutSeconds = 0.08;
constexpr double kPeak = 0.7; // of full scale

struct Strike
{
    double start;
    double frequency;
};
constexpr Strike kStrikes[] = {{0.0, 880.0}, {0.4, 660.0}};

// One struck bell: a soft raised-cosine attack, then an exponential decay;
// the octave above fades faster, as on a real bell.
double ring(double t, double frequency)
{
    if (t < 0.0)
        return 0.0;
    const double attack = t < kAttackSeconds
        ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / kAttackSeconds)
        : 1.0;
    const double phase = 2.0 * std::numbers::pi * frequency * t;
    const double octave = 0.3 * std::exp(-t / (kDecaySeconds / 3.0)) * std::sin(2.0 * phase);
    return attack * std::exp(-t / kDecaySeconds) * (std::sin(phase) + octave);
}

std::vector<double> bell()
{
    const int count = int(kRate * kSeconds);
    const int fadeCount = int(kRate * kFadeOutSeconds);
    std::vector<double> samples(count);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        for (const Strike &strike : kStrikes)
            samples[i] += ring(t - strike.start, strike.frequency);
        const int left = count - 1 - i;
        if (left < fadeCount)
            samples[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * left / fadeCount);
    }
    double peak = 0.0;
    for (double s : samples)
        peak = std::max(peak, std::abs(s));
    for (double &s : samples)
        s *= kPeak / peak;
    return samples;
}

void putLittleEndian(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

std::string wave(const std::vector<double> &samples)
{
    constexpr int kBytesPerSample = 2;
    const auto dataBytes = std::uint32_t(samples.size() * kBytesPerSample);
    std::string out = "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);                      // fmt chunk size
    putLittleEndian(out, 1, 2);                       // PCM
    putLittleEndian(out, 1, 2);                       // mono
    putLittleEndian(out, kRate, 4);
    putLittleEndian(out, kRate * kBytesPerSample, 4); // bytes per second
    putLittleEndian(out, kBytesPerSample, 2);         // bytes per frame
    putLittleEndian(out, 16, 2);                      // bits per sample
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (double s : samples)
        putLittleEndian(out, std::uint16_t(std::int16_t(std::lround(s * 32767.0))), kBytesPerSample);
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_bell OUTPUT.wav\n";
        return 2;
    }
    const std::string bytes = wave(bell());
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << "make_bell: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
