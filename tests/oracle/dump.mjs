// Reads an Access file with mdb-reader, an implementation independent of ours.
//   node dump.mjs FILE            -> {"table":NAME,"rows":N,"columns":[{"name","type","size"}]} per user table
//   node dump.mjs FILE TABLE      -> one JSON array per row, values in column order
//   node dump.mjs FILE TABLE --text -> cells as text separated by U+001F, rows ended by U+001E,
//                                      NULL written as U+001D (for tests that compare texts)
//   node dump.mjs FILE '*' --text   -> every user table so: its name, U+001C, its rows, U+001C
// Dates print as "YYYY-MM-DD HH:MM:SS" (mdb-reader keeps Access's local time as UTC), booleans as
// 1/0, binary as upper-case hex, numbers as JSON numbers and currency as its decimal text.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file, table, mode] = process.argv.slice(2);
const reader = new MDBReader(readFileSync(file));

function cell(v) {
  if (v === null || v === undefined) return null;
  if (v instanceof Date) return v.toISOString().replace("T", " ").slice(0, 19);
  if (typeof v === "boolean") return v ? 1 : 0;
  if (typeof v === "bigint") return v.toString();
  if (Buffer.isBuffer(v)) return v.toString("hex").toUpperCase();
  return v;
}

if (!table) {
  for (const name of reader.getTableNames()) {
    const t = reader.getTable(name);
    const columns = t.getColumns().map((c) => ({ name: c.name, type: c.type, size: c.size }));
    console.log(JSON.stringify({ table: name, rows: t.rowCount, columns }));
  }
} else {
  const tables = table === "*" ? reader.getTableNames() : [table];
  for (const name of tables) {
    const t = reader.getTable(name);
    const names = t.getColumnNames();
    const rows = t.getData();
    if (mode === "--text") {
      const text = (v) => (v === null ? "\u001d" : String(v));
      const body = rows.map((row) => names.map((n) => text(cell(row[n]))).join("\u001f") + "\u001e").join("");
      process.stdout.write(table === "*" ? name + "\u001c" + body + "\u001c" : body);
    } else {
      for (const row of rows) console.log(JSON.stringify(names.map((n) => cell(row[n]))));
    }
  }
}
