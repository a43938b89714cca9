// Prints every user table of an Access file, read with mdb-reader, in a
// plain line format the C++ tests parse without a JSON library:
//   TABLE <name as hex UTF-8>
//   C <name as hex UTF-8> <type>
//   R <cell>\t<cell>...
// where a cell is N (null), T<hex UTF-8> (text; decimals, currency and big
// whole numbers come as text), D<hex of the float64 bits> (numbers; 1 or 0
// for yes/no, milliseconds since 1970 UTC for dates) or X (binary data).
// Usage: node read_table.mjs FILE
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file] = process.argv.slice(2);
const reader = new MDBReader(readFileSync(file));
const hex = (s) => Buffer.from(s, "utf8").toString("hex");

function number(value) {
  const bits = Buffer.alloc(8);
  bits.writeDoubleLE(value);
  return "D" + bits.toString("hex");
}

function cellOf(value) {
  if (value === null || value === undefined) return "N";
  if (typeof value === "number") return number(value);
  if (typeof value === "boolean") return number(value ? 1 : 0);
  if (value instanceof Date) return number(value.getTime());
  if (Buffer.isBuffer(value) || value instanceof Uint8Array) return "X";
  if (typeof value === "object") return "X"; // attachments and other complex values
  return "T" + hex(String(value));
}

function printTable(name, lines) {
  const table = reader.getTable(name);
  for (const column of table.getColumns())
    lines.push(`C ${hex(column.name)} ${column.type}`);
  const names = table.getColumnNames();
  for (const row of table.getData())
    lines.push("R " + names.map((n) => cellOf(row[n])).join("\t"));
}

const lines = [];
for (const name of reader.getTableNames()) {
  lines.push(`TABLE ${hex(name)}`);
  printTable(name, lines);
}
process.stdout.write(lines.join("\n") + "\n");
