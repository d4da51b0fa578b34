#pragma once
// Zip archives made byte by byte with Python, so that their headers can lie: the
// prelude defines make(path, entries), each entry a dict with
//   name, data (bytes or str), method (8 deflate, 0 stored; default 8),
//   stream: bytes compressed in place of data (sizes and CRC still those of data),
//   crc, size: values written instead of the true CRC and uncompressed size,
//   flip: offset into the compressed bytes whose byte is inverted,
//   chunks: (bytes, times) compressed as data repeated without holding it whole.
#include "Checkers.h"

namespace crafted {

inline const char *const kPrelude = R"(
import struct, zlib, sys
def deflate_parts(parts):
    c = zlib.compressobj(6, zlib.DEFLATED, -15)
    out = [c.compress(p) for p in parts]
    out.append(c.flush())
    return b''.join(out)
def make(path, entries):
    body = bytearray(); central = bytearray()
    for e in entries:
        name = e['name'].encode()
        data = e.get('data', b'')
        if isinstance(data, str): data = data.encode()
        method = e.get('method', 8)
        if 'chunks' in e:
            block, times = e['chunks']
            crc = 0
            for _ in range(times): crc = zlib.crc32(block, crc)
            size = len(block) * times
            comp = deflate_parts(block for _ in range(times))
        else:
            crc = zlib.crc32(data); size = len(data)
            raw = e.get('stream', data)
            comp = deflate_parts([raw]) if method == 8 else raw
        crc = e.get('crc', crc); size = e.get('size', size)
        comp = bytearray(comp)
        if 'flip' in e: comp[e['flip']] ^= 0xFF
        offset = len(body)
        body += struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, 0, method, 0, 0x21, crc, len(comp), size, len(name), 0)
        body += name + comp
        central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 20, 20, 0, method, 0, 0x21, crc, len(comp), size,
                               len(name), 0, 0, 0, 0, 0, offset)
        central += name
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(entries), len(entries), len(central), len(body), 0)
    open(path, 'wb').write(bytes(body + central + end))
)";

// Runs the prelude and then `script` with sys.argv[1] = `dir`; "" on success.
inline QString make(const QString &dir, const QString &script)
{
    return checkers::python(QString::fromLatin1(kPrelude) + script, {dir});
}

} // namespace crafted
