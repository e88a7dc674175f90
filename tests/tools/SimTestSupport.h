// SPDX-License-Identifier: MIT
// Splits what the simulated receivers send into sentences, without any decoder of the program:
// the simulator is what the decoders are tested against.
#pragma once

#include "common/NmeaSupport.h"
#include "sim/ReceiverSim.h"

#include <QByteArray>
#include <QList>

#include <string>
#include <vector>

// One line of a stream. A well-formed sentence ("$" body "*" two hex digits of the right
// checksum, CR LF) has its body's comma-separated fields, the first being talker and type.
struct SimSentence {
    bool bValid = false;
    std::vector<std::string> fields;

    std::string Type() const { return fields.empty() ? "" : fields[0]; }
};

inline std::vector<SimSentence> SplitSentences(const std::string& s) {
    std::vector<SimSentence> out;
    for (const QByteArray& line : QByteArray::fromStdString(s).split('\n')) {
        if (line.isEmpty())
            continue;
        SimSentence& sentence = out.emplace_back();
        const qsizetype nStar = line.size() - 4;
        if (line.size() < 6 || line[0] != '$' || line[nStar] != '*' || !line.endsWith('\r'))
            continue;
        const QByteArray body = line.mid(1, nStar - 1);
        char nSum = 0;
        for (char c : body)
            nSum ^= c;
        if (body.contains('$') || body.contains('\r') ||
            line.mid(nStar + 1, 2) !=
                QByteArray::number(static_cast<uint8_t>(nSum), 16).rightJustified(2, '0').toUpper())
            continue;
        sentence.bValid = true;
        for (const QByteArray& field : body.split(','))
            sentence.fields.push_back(field.toStdString());
    }
    return out;
}
