// Prints one table of an Access file, read with mdb-reader, in a plain
// line format the C++ tests parse without a JSON library:
//   C <name as hex UTF-8> <type>
//   R <cell>\t<cell>...   where a cell is N (null), T<hex UTF-8> or D<hex of the float64 bits>
// Usage: node read_table.mjs FILE TABLE
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file, tableName] = process.argv.slice(2);
const reader = new MDBReader(readFileSync(file));
const table = reader.getTable(tableName);
const hex = (s) => Buffer.from(s, "utf8").toString("hex");
const lines = [];
lines.push(`COUNT ${table.rowCount}`);
for (const column of table.getColumns())
  lines.push(`C ${hex(column.name)} ${column.type}`);
const names = table.getColumnNames();
for (const row of table.getData()) {
  const cells = names.map((name) => {
    const value = row[name];
    if (value === null || value === undefined) return "N";
    if (typeof value === "number") {
      const bits = Buffer.alloc(8);
      bits.writeDoubleLE(value);
      return "D" + bits.toString("hex");
    }
    return "T" + hex(String(value));
  });
  lines.push("R " + cells.join("\t"));
}
process.stdout.write(lines.join("\n") + "\n");
