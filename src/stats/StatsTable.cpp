// SPDX-License-Identifier: MIT
#include "stats/StatsTable.h"

#include "settings/Units.h"
#include "stats/FixedText.h"

namespace {

// GreatCircleDistance measures in nautical miles, ConvertSmallDistance takes statute miles.
constexpr double kStatuteMilesPerNauticalMile = kKnotsToMph;

// The table is laid out in character cells of the normal font: x positions in average
// character widths from the table's left text column, y positions in lines.
constexpr int kValueColumn = 15;        // values of the two average sections
constexpr int kSamplesValueColumn = 25; // values of the samples and DOP sections
constexpr int kStdDevLabelColumn = 32;
constexpr int kStdDevValueColumn = 44;
// Altitudes are left-justified in eight columns before their unit.
constexpr int kAltitudeWidth = 8;

// First line of each section.
constexpr int kAverageLine = 0;
constexpr int kLeastSquaresLine = 5;
constexpr int kSamplesLine = 10;
constexpr int kDopLine = 14;

// Places the texts of one table by line and character column.
class CTableWriter {
public:
    CTableWriter(const CRect& rcTable, int nCharHeight, int nAveCharWidth)
        : m_rcTable(rcTable), m_x0(rcTable.left + kTextIndent), m_y0(rcTable.top + kTextIndent),
          m_nCharHeight(nCharHeight), m_nAveCharWidth(nAveCharWidth) {}

    void Heading(int nLine, const char* pszText) { HeadingAt(m_x0, nLine, pszText); }
    // A heading that starts at the table's own edge instead of the text column.
    void EdgeHeading(int nLine, const char* pszText) { HeadingAt(m_rcTable.left, nLine, pszText); }
    // A value's cell reaches the table's right edge, unless a deviation follows on its row.
    void Value(int nLine, const char* pszLabel, int nColumn, const QString& strValue) {
        Add(m_x0, nLine, false, QString::fromUtf8(pszLabel));
        Add(Column(nColumn), nLine, false, strValue, m_rcTable.right);
    }
    // The deviation of the row whose value was added last.
    void Deviation(int nLine, const QString& strValue) {
        m_Texts.back().xCellEnd = Column(kStdDevLabelColumn);
        Add(Column(kStdDevLabelColumn), nLine, false, QStringLiteral("   StdDev:"));
        Add(Column(kStdDevValueColumn), nLine, false, strValue, m_rcTable.right);
    }

    std::vector<StatsText> Take() { return std::move(m_Texts); }

private:
    // From the table's edge to its text column, and to its first line.
    static constexpr int kTextIndent = 3;

    void HeadingAt(int x, int nLine, const char* pszText) {
        Add(x, nLine, true, QString::fromUtf8(pszText));
    }
    int Column(int nColumn) const { return m_x0 + nColumn * m_nAveCharWidth; }
    void Add(int x, int nLine, bool bHeading, const QString& strText, int xCellEnd = 0) {
        m_Texts.push_back({x, m_y0 + nLine * m_nCharHeight, bHeading, strText, xCellEnd});
    }

    CRect m_rcTable;
    int m_x0;
    int m_y0;
    int m_nCharHeight;
    int m_nAveCharWidth;
    std::vector<StatsText> m_Texts;
};

// One section of averages: the position (φ, λ) and altitude it shows, and the deviations of
// its three accumulators.
struct Section {
    double dLatitude, dLongitude, dAltitude;
    double dLatitudeDev, dLongitudeDev, dAltitudeDev;
};

} // namespace

double LatitudeSpread(double dLatitude, double dLongitude, double dDeviation) {
    return LatitudeSpread(DistanceSpeedUnits(), dLatitude, dLongitude, dDeviation);
}

double LongitudeSpread(double dLatitude, double dLongitude, double dDeviation) {
    return LongitudeSpread(DistanceSpeedUnits(), dLatitude, dLongitude, dDeviation);
}

double LatitudeSpread(int nDistanceSpeedUnits, double dLatitude, double dLongitude,
                      double dDeviation) {
    return units::ConvertSmallDistance(
        nDistanceSpeedUnits,
        GreatCircleDistance(dLatitude, dLongitude, dLatitude + dDeviation, dLongitude) *
            kStatuteMilesPerNauticalMile);
}

double LongitudeSpread(int nDistanceSpeedUnits, double dLatitude, double dLongitude,
                       double dDeviation) {
    return units::ConvertSmallDistance(
        nDistanceSpeedUnits,
        GreatCircleDistance(dLatitude, dLongitude, dLatitude, dLongitude + dDeviation) *
            kStatuteMilesPerNauticalMile);
}

std::vector<StatsText> StatsTableTexts(const PositionAverages& a, const StatsDops& dops,
                                       const CRect& rcTable, int nCharHeight, int nAveCharWidth) {
    CTableWriter table(rcTable, nCharHeight, nAveCharWidth);
    // Each selection read once: every read of the store looks at its files again.
    const int nDistance = DistanceSpeedUnits();
    const int nAltitude = AltitudeUnits();
    const int nPosition = PositionFormat();
    const QString strDistanceUnit = QString::fromUtf8(units::SmallDistanceUnitName(nDistance));
    const QString strAltitudeUnit = QString::fromUtf8(units::AltitudeUnitName(nAltitude));
    const auto Latitude = [&](double dDegrees) {
        return QString::fromStdString(units::FormatLatitude(nPosition, dDegrees));
    };
    const auto Longitude = [&](double dDegrees) {
        return QString::fromStdString(units::FormatLongitude(nPosition, dDegrees));
    };
    const auto ConvertAltitude = [&](double dMetres) {
        return units::ConvertAltitude(nAltitude, dMetres);
    };
    // printf's "%0.3f %s" and "%-8.02f %s" with the unit names; the blanks after some of the
    // values wipe the tail of a longer previous text.
    const auto Spread = [&](double dSpread, const char* pszBlanks) {
        return FixedText(dSpread, 3) + QLatin1Char(' ') + strDistanceUnit +
               QLatin1String(pszBlanks);
    };
    const auto AltitudeDeviation = [&](double dMetres, const char* pszBlanks) {
        return FixedText(ConvertAltitude(dMetres), 3) + QLatin1Char(' ') + strAltitudeUnit +
               QLatin1String(pszBlanks);
    };
    const auto Altitude = [&](double dMetres) {
        return FixedText(ConvertAltitude(dMetres), 2, kAltitudeWidth) + QLatin1Char(' ') +
               strAltitudeUnit;
    };
    const auto Count = [](uint32_t nCount) {
        return QString::number(nCount) + QLatin1String("       ");
    };

    const Section avg{a.m_avgLatitude.m_dMean,    a.m_avgLongitude.m_dMean,
                      a.m_avgAltitude.m_dMean,    a.m_avgLatitude.m_dStdDev,
                      a.m_avgLongitude.m_dStdDev, a.m_avgAltitude.m_dStdDev};
    table.Heading(kAverageLine, "Position Average");
    table.Value(kAverageLine + 1, "   Latitude:", kValueColumn, Latitude(avg.dLatitude));
    table.Deviation(
        kAverageLine + 1,
        Spread(LatitudeSpread(nDistance, avg.dLatitude, avg.dLongitude, avg.dLatitudeDev), "   "));
    table.Value(kAverageLine + 2, "   Longitude:", kValueColumn, Longitude(avg.dLongitude));
    table.Deviation(kAverageLine + 2, Spread(LongitudeSpread(nDistance, avg.dLatitude,
                                                             avg.dLongitude, avg.dLongitudeDev),
                                             "   "));
    table.Value(kAverageLine + 3, "   Altitude:", kValueColumn, Altitude(avg.dAltitude));
    table.Deviation(kAverageLine + 3, AltitudeDeviation(avg.dAltitudeDev, "  "));

    const Section ls{a.m_lsLatitude.Estimate(), a.m_lsLongitude.Estimate(),
                     a.m_lsAltitude.Estimate(), a.m_lsLatitude.m_dStdDev,
                     a.m_lsLongitude.m_dStdDev, a.m_lsAltitude.m_dStdDev};
    table.Heading(kLeastSquaresLine, "Least Squares Average");
    table.Value(kLeastSquaresLine + 1, "   Latitude:", kValueColumn, Latitude(ls.dLatitude));
    table.Deviation(
        kLeastSquaresLine + 1,
        Spread(LatitudeSpread(nDistance, ls.dLatitude, ls.dLongitude, ls.dLatitudeDev), "      "));
    table.Value(kLeastSquaresLine + 2, "   Longitude:", kValueColumn,
                Longitude(ls.dLongitude) + QLatin1String("     "));
    table.Deviation(
        kLeastSquaresLine + 2,
        Spread(LongitudeSpread(nDistance, ls.dLatitude, ls.dLongitude, ls.dLongitudeDev), "     "));
    table.Value(kLeastSquaresLine + 3, "   Altitude:", kValueColumn, Altitude(ls.dAltitude));
    table.Deviation(kLeastSquaresLine + 3, AltitudeDeviation(ls.dAltitudeDev, "     "));

    table.EdgeHeading(kSamplesLine, "Samples");
    table.Value(kSamplesLine + 1, "   Lat/Lon Samples:", kSamplesValueColumn,
                Count(a.m_avgLatitude.m_nCount));
    table.Value(kSamplesLine + 2, "   Altitude Samples:", kSamplesValueColumn,
                Count(a.m_avgAltitude.m_nCount));

    table.Heading(kDopLine, "DOP Values");
    table.Value(kDopLine + 1, "   PDOP:", kSamplesValueColumn, FixedText(dops.dPdop, 2));
    table.Value(kDopLine + 2, "   HDOP:", kSamplesValueColumn, FixedText(dops.dHdop, 2));
    table.Value(kDopLine + 3, "   VDOP:", kSamplesValueColumn, FixedText(dops.dVdop, 2));
    return table.Take();
}
