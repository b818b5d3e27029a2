// Prints a Jet or Access file as mdb-reader reads it, as one JSON object on
// standard output:
//   node mdb_lesen.mjs FILE [--system]
// {"format": "Jet4", "tables": [{"name": ..., "system": false,
//   "columns": [{"name": ..., "type": ..., "size": ..., "length": ...}],
//   "rows": [[value, ...], ...]}]}
// Tables in the order of the file's catalogue (--system adds the engine's own
// MSys tables); columns in table order, "type" as mdb-reader names it
// ("text", "memo", "long", "integer", "byte", "boolean", "double", "float",
// "datetime", "currency", ...), "size" the bytes of the column's definition,
// "length" the characters of a text column. Each row a list in column order:
//   null                    Null
//   string                  text and memo, whole
//   number                  byte, integer, long
//   true / false            boolean
//   "3ff8000000000000"      double and float: the 16 hex digits of the IEEE 754
//                           double's bits (bit for bit; a float widened)
//   "1899-12-29T06:00:00.000"  date/time: the stored day count's date and, from
//                           its fraction, the time of day to the millisecond;
//                           before 1899-12-30 the fraction counts forward from
//                           midnight as Jet reads it (mdb-reader's own Date
//                           counts it backwards there, which is put right here)
//   other types             their text as mdb-reader gives it (binary as hex)
// Exits with 1 and a message on standard error when the file cannot be read.
import MDBReader from "mdb-reader";
import { readFileSync } from "node:fs";

const args = process.argv.slice(2);
const file = args.find((a) => !a.startsWith("--"));
const withSystem = args.includes("--system");
if (!file) {
    process.stderr.write("usage: node mdb_lesen.mjs FILE [--system]\n");
    process.exit(2);
}

const formats = { 0: "Jet3", 1: "Jet4", 2: "ACE12", 3: "ACE14", 4: "ACE15", 5: "ACE16", 6: "ACE17" };

function doubleBits(value) {
    const view = new DataView(new ArrayBuffer(8));
    view.setFloat64(0, value);
    return view.getBigUint64(0).toString(16).padStart(16, "0");
}

function pad(n, width) {
    return String(n).padStart(width, "0");
}

const MsPerDay = 86400000;
const JetEpochMs = Date.UTC(1899, 11, 30);

// mdb-reader turns the day count d into the instant (d - 25569) days after
// 1970, so a value below zero has its fraction taken backwards; the day count
// comes back from that instant to the millisecond.
function jetDate(date) {
    const ms = date.getTime() - JetEpochMs;
    const days = Math.trunc(ms / MsPerDay);
    const timeMs = Math.abs(ms - days * MsPerDay);
    const day = new Date(JetEpochMs + days * MsPerDay + timeMs);
    const y = day.getUTCFullYear();
    const year = y < 0 ? "-" + pad(-y, 4) : pad(y, 4);
    return `${year}-${pad(day.getUTCMonth() + 1, 2)}-${pad(day.getUTCDate(), 2)}T` +
        `${pad(day.getUTCHours(), 2)}:${pad(day.getUTCMinutes(), 2)}:${pad(day.getUTCSeconds(), 2)}.` +
        pad(day.getUTCMilliseconds(), 3);
}

function value(column, v) {
    if (v === null || v === undefined) return null;
    switch (column.type) {
        case "double":
        case "float":
            return doubleBits(v);
        case "datetime":
            return jetDate(v);
        case "boolean":
            return v;
        case "byte":
        case "integer":
        case "long":
            return v;
        case "text":
        case "memo":
            return v;
        default:
            if (Buffer.isBuffer(v)) return v.toString("hex");
            if (v instanceof Date) return jetDate(v);
            return String(v);
    }
}

let out;
try {
    const buffer = readFileSync(file);
    const format = formats[buffer[0x14]] ?? "unknown";
    const reader = new MDBReader(buffer);
    const user = new Set(reader.getTableNames());
    const names = reader.getTableNames({ normalTables: true, systemTables: withSystem });
    const tables = names.map((name) => {
        const table = reader.getTable(name);
        const columns = table.getColumns().map((c) => {
            const col = { name: c.name, type: c.type, size: c.size };
            if (c.type === "text") col.length = format === "Jet3" ? c.size : c.size / 2;
            return col;
        });
        const rows = table.getData().map((row) => table.getColumns().map((c) => value(c, row[c.name])));
        return { name, system: !user.has(name), columns, rows };
    });
    out = { format, tables };
} catch (e) {
    process.stderr.write(`${file}: ${e && e.message ? e.message : e}\n`);
    process.exit(1);
}
process.stdout.write(JSON.stringify(out));
process.stdout.write("\n");
