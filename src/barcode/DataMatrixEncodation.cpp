#include "DataMatrixEncodation.h"

#include <algorithm>
#include <array>
#include <climits>
#include <deque>

// The shortest encodation is a shortest path over (bytes written, current mode):
// ASCII writes one byte or a digit pair per codeword; C40 and Text write runs of bytes
// whose values fill whole triplets (two codewords per three values); a Base256 run is
// one edge when it is short (one length codeword) and a mode of its own when it is long
// (two length codewords). Switching costs the latch or unlatch codeword.
namespace {

enum Mode : uint8_t { Ascii, C40, Text, Long256, Tail, kModes };  // Tail: ASCII after the last triplet

enum Step : uint8_t { Start, Skip, AsciiOne, AsciiPair, Latch, Unlatch, Segment, PaddedSegment, ShortRun, LongEnter, LongByte, LongExit };

constexpr uint8_t kLatchC40 = 230, kLatchBase256 = 231, kUpperShift = 235, kLatchText = 239, kEci = 241,
                  kUnlatch = 254, kPad = 129;
constexpr int kShortRun = 249;  // the longest Base256 run with a one-codeword length

bool isDigit(uint8_t b) { return b >= '0' && b <= '9'; }

// The C40 or Text values of a byte (Shift 1, 2, 3 are the values 0, 1, 2; bytes above
// 127 take Shift 2 and Upper Shift 30 first); returns their count.
int tripletValues(uint8_t b, bool text, uint8_t *out)
{
    int n = 0;
    if (b >= 128) {
        out[n++] = 1;
        out[n++] = 30;
        b = uint8_t(b - 128);
    }
    const bool upper = b >= 'A' && b <= 'Z', lower = b >= 'a' && b <= 'z';
    if (b == ' ') {
        out[n++] = 3;
    } else if (isDigit(b)) {
        out[n++] = uint8_t(b - '0' + 4);
    } else if (text ? lower : upper) {
        out[n++] = uint8_t(b - (text ? 'a' : 'A') + 14);
    } else if (b < 32) {
        out[n++] = 0;
        out[n++] = b;
    } else if (b <= 47) {
        out[n++] = 1;
        out[n++] = uint8_t(b - 33);
    } else if (b <= 64) {
        out[n++] = 1;
        out[n++] = uint8_t(b - 58 + 15);
    } else if (upper) {  // Text: Shift 3
        out[n++] = 2;
        out[n++] = uint8_t(b - 64);
    } else if (b <= 95) {
        out[n++] = 1;
        out[n++] = uint8_t(b - 91 + 22);
    } else {
        out[n++] = 2;
        out[n++] = uint8_t(b - 96);
    }
    return n;
}

struct Node {
    int cost = INT_MAX;
    int from = -1;
    Mode fromMode = Ascii;
    Step step = Start;
};

class Path {
public:
    Path(const QByteArray &bytes, DataMatrixEncodation encodation, bool eci)
        : m_bytes(bytes), m_n(int(bytes.size())), m_encodation(encodation), m_nodes(size_t(m_n + 1) * kModes)
    {
        for (std::vector<uint8_t> &counts : m_counts) counts.reserve(size_t(m_n));
        for (int i = 0; i < m_n; ++i) {
            uint8_t values[4];
            m_counts[0].push_back(uint8_t(tripletValues(byte(i), false, values)));
            m_counts[1].push_back(uint8_t(tripletValues(byte(i), true, values)));
        }
        node(0, Ascii) = Node{eci ? 2 : 0, -1, Ascii, Start};
        m_eci = eci;
        for (int i = 0; i <= m_n; ++i) advance(i);
    }

    // The codewords of the cheapest path ending at the last byte in the mode.
    std::optional<DataMatrixData> codewords(Mode end) const
    {
        if (node(m_n, end).cost == INT_MAX) return std::nullopt;
        std::vector<std::pair<int, Mode>> steps;  // the nodes from the end back to the start
        steps.reserve(size_t(m_n) + 8);
        for (std::pair<int, Mode> at{m_n, end}; node(at.first, at.second).step != Start;) {
            steps.push_back(at);
            const Node &nd = node(at.first, at.second);
            at = {nd.from, nd.fromMode};
        }
        DataMatrixData data;
        data.open = end == C40 || end == Text;
        std::vector<uint8_t> &out = data.codewords;
        out.reserve(size_t(m_n) + 8);
        if (m_eci) out = {kEci, 27};
        int runStart = 0;
        for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
            const int j = it->first;
            const Node &nd = node(j, it->second);
            const int i = nd.from;
            switch (nd.step) {
            case Start:
            case Skip: break;
            case AsciiOne:
                if (byte(i) < 128) {
                    out.push_back(uint8_t(byte(i) + 1));
                } else {
                    out.push_back(kUpperShift);
                    out.push_back(uint8_t(byte(i) - 127));
                }
                break;
            case AsciiPair: out.push_back(uint8_t(130 + (byte(i) - '0') * 10 + byte(i + 1) - '0')); break;
            case Latch: out.push_back(it->second == C40 ? kLatchC40 : kLatchText); break;
            case Unlatch: out.push_back(kUnlatch); break;
            case Segment:
            case PaddedSegment: {
                uint8_t triplet[3];
                int held = 0;
                const auto put = [&](uint8_t value) {
                    triplet[held++] = value;
                    if (held < 3) return;
                    const int packed = 1600 * triplet[0] + 40 * triplet[1] + triplet[2] + 1;
                    out.push_back(uint8_t(packed >> 8));
                    out.push_back(uint8_t(packed & 0xFF));
                    held = 0;
                };
                for (int k = i; k < j; ++k) {
                    uint8_t v[4];
                    const int count = tripletValues(byte(k), nd.fromMode == Text, v);
                    for (int c = 0; c < count; ++c) put(v[c]);
                }
                if (nd.step == PaddedSegment) put(0);  // Shift 1 closes the last triplet
                break;
            }
            case ShortRun: run(out, i, j); break;
            case LongEnter: runStart = i; break;
            case LongByte: break;
            case LongExit: run(out, runStart, j); break;
            }
        }
        return data;
    }

private:
    uint8_t byte(int i) const { return uint8_t(m_bytes[i]); }
    Node &node(int i, Mode m) { return m_nodes[size_t(i) * kModes + m]; }
    const Node &node(int i, Mode m) const { return m_nodes[size_t(i) * kModes + m]; }
    bool any() const { return m_encodation == DataMatrixEncodation::Auto; }
    bool allows(DataMatrixEncodation e) const { return any() || m_encodation == e; }

    void relax(int j, Mode to, int cost, int i, Mode from, Step step)
    {
        Node &target = node(j, to);
        if (cost < target.cost) target = Node{cost, i, from, step};
    }
    // Relaxes the edge from (i, from) when that node is reached.
    void edge(int i, Mode from, int j, Mode to, int extra, Step step)
    {
        const int cost = node(i, from).cost;
        if (cost != INT_MAX) relax(j, to, cost + extra, i, from, step);
    }

    void advance(int i)
    {
        // Mode switches at this byte; each round trip costs at least one codeword.
        if (any()) {
            edge(i, C40, i, Ascii, 1, Unlatch);
            edge(i, Text, i, Ascii, 1, Unlatch);
            edge(i, Long256, i, Ascii, 0, LongExit);
            edge(i, Ascii, i, C40, 1, Latch);
            edge(i, Ascii, i, Text, 1, Latch);
            edge(i, Ascii, i, Long256, 3, LongEnter);
        } else if (i == 0 && (m_encodation == DataMatrixEncodation::C40 || m_encodation == DataMatrixEncodation::Text)) {
            edge(0, Ascii, 0, m_encodation == DataMatrixEncodation::C40 ? C40 : Text, 1, Latch);
        } else if (i == 0 && m_encodation == DataMatrixEncodation::Base256) {
            edge(0, Ascii, 0, Long256, 3, LongEnter);
        } else if (i == m_n && m_encodation == DataMatrixEncodation::Base256) {
            edge(i, Long256, i, Ascii, 0, LongExit);
        }
        for (const Mode m : {C40, Text})
            if (allows(m == C40 ? DataMatrixEncodation::C40 : DataMatrixEncodation::Text)) triplets(i, m);
        if (i == m_n) return;
        for (const Mode m : {Ascii, Tail}) {
            if (m == Ascii ? !allows(DataMatrixEncodation::Ascii) : any()) continue;
            edge(i, m, i + 1, m, byte(i) < 128 ? 1 : 2, AsciiOne);
            if (i + 1 < m_n && isDigit(byte(i)) && isDigit(byte(i + 1))) edge(i, m, i + 2, m, 1, AsciiPair);
        }
        if (allows(DataMatrixEncodation::Base256)) {
            if (any()) shortRuns(i);
            else if (i == 0 && m_n <= kShortRun) edge(0, Ascii, m_n, Ascii, 2 + m_n, ShortRun);
            edge(i, Long256, i + 1, Long256, 1, LongByte);
        }
    }

    // The short Base256 runs from (i, Ascii), in the order in which relaxing every run
    // at every byte would reach their ends (the first of equal costs wins): the runs to
    // the next two bytes now, after the ASCII edges to them; then, to the byte three on,
    // the cheapest run from any byte up to this one (its cost less its start is least;
    // the earliest start of equal ones), before the ASCII edges into that byte.
    void shortRuns(int i)
    {
        const int cost = node(i, Ascii).cost;
        if (cost != INT_MAX) {
            for (int j = i + 1; j <= std::min(i + 2, m_n); ++j) relax(j, Ascii, cost + 2 + j - i, i, Ascii, ShortRun);
            while (!m_runStarts.empty() && m_runStarts.back().second > cost - i) m_runStarts.pop_back();
            m_runStarts.emplace_back(i, cost - i);
        }
        const int j = i + 3;
        while (!m_runStarts.empty() && j - m_runStarts.front().first > kShortRun) m_runStarts.pop_front();
        if (j <= m_n && !m_runStarts.empty()) {
            const auto [start, key] = m_runStarts.front();
            relax(j, Ascii, key + 2 + j, start, Ascii, ShortRun);
        }
    }

    // From a triplet boundary: the shortest run of bytes whose values close a triplet;
    // at the end of the value, two values left over take a Shift 1 pad, one left over
    // goes to ASCII after the unlatch.
    void triplets(int i, Mode m)
    {
        if (node(i, m).cost == INT_MAX) return;
        const std::vector<uint8_t> &counts = m_counts[m == Text];
        int values = 0;
        for (int j = i; j < m_n; ++j) {
            values += counts[size_t(j)];
            if (values % 3 == 0) return edge(i, m, j + 1, m, values / 3 * 2, Segment);
        }
        if (values % 3 == 2) edge(i, m, m_n, m, (values + 1) / 3 * 2, PaddedSegment);
        if (values % 3 == 1 && !any()) {
            // The bytes left go to ASCII; when no triplet comes before them, without the
            // latch and unlatch (some readers take an unlatch right after the latch
            // for triplet codewords).
            if (i == 0) edge(0, Ascii, 0, Tail, 0, Skip);
            else edge(i, m, i, Tail, 1, Unlatch);
        }
    }

    // A Base256 run of the bytes [i, j): latch, length, bytes; all but the latch in the
    // 255-state randomised form of their position.
    void run(std::vector<uint8_t> &out, int i, int j) const
    {
        const int length = j - i;
        out.push_back(kLatchBase256);
        const auto put = [&out](uint8_t b) {
            const int position = int(out.size()) + 1;
            const int v = b + (149 * position) % 255 + 1;
            out.push_back(uint8_t(v <= 255 ? v : v - 256));
        };
        if (length <= kShortRun) {
            put(uint8_t(length));
        } else {
            put(uint8_t(length / 250 + 249));
            put(uint8_t(length % 250));
        }
        for (int k = i; k < j; ++k) put(byte(k));
    }

    const QByteArray &m_bytes;
    int m_n;
    DataMatrixEncodation m_encodation;
    std::vector<Node> m_nodes;
    std::array<std::vector<uint8_t>, 2> m_counts;  // C40 and Text values per byte
    bool m_eci = false;
    // The starts of short runs that may still be the cheapest: their bytes in order,
    // their costs less their bytes increasing.
    std::deque<std::pair<int, int>> m_runStarts;
};

} // namespace

std::vector<DataMatrixData> DataMatrix_Encodations(const QByteArray &bytes, DataMatrixEncodation encodation, bool eci)
{
    if (bytes.isEmpty()) return {};
    const Path path(bytes, encodation, eci);
    std::vector<DataMatrixData> ways;
    const bool triplets = encodation == DataMatrixEncodation::C40 || encodation == DataMatrixEncodation::Text;
    if (auto closed = path.codewords(triplets ? Tail : Ascii)) ways.push_back(std::move(*closed));
    std::optional<DataMatrixData> open;
    for (const Mode m : {C40, Text})
        if (auto way = path.codewords(m); way && (!open || way->codewords.size() < open->codewords.size())) open = std::move(way);
    if (open) ways.push_back(std::move(*open));
    return ways;
}

std::optional<std::vector<uint8_t>> DataMatrix_Fill(const DataMatrixData &data, int capacity)
{
    if (int(data.codewords.size()) > capacity) return std::nullopt;
    std::vector<uint8_t> codewords = data.codewords;
    codewords.reserve(size_t(capacity));
    if (data.open && int(codewords.size()) < capacity) codewords.push_back(kUnlatch);
    for (bool first = true; int(codewords.size()) < capacity; first = false) {
        const int position = int(codewords.size()) + 1;
        const int v = kPad + (149 * position) % 253 + 1;
        codewords.push_back(first ? kPad : uint8_t(v <= 254 ? v : v - 254));
    }
    return codewords;
}
