// Prints a table of an Access file as CSV, read by mdb-reader, shaped like `qvtb export`:
// a header of column names, texts, dates and binary values quoted ("" for a quote), numbers
// bare, NULL and empty texts as nothing, GUIDs as {XXXXXXXX-...}. Dates rounded to the second as "YYYY-MM-DD HH:MM:SS", binary as upper-case hex, Yes/No as 1/0.
//   node export.mjs FILE TABLE
//   node export.mjs FILE          every table, system tables too, each after a line "## TABLE"
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file, table] = process.argv.slice(2);
const reader = new MDBReader(readFileSync(file));
const quotedTypes = new Set(["text", "memo", "datetime", "binary", "ole", "repid"]);

function text(v) {
  // Rounded to the second, as Access shows times.
  if (v instanceof Date) return new Date(Math.round(v.getTime() / 1000) * 1000).toISOString().replace("T", " ").slice(0, 19);
  if (typeof v === "boolean") return v ? "1" : "0";
  if (Buffer.isBuffer(v)) return v.toString("hex").toUpperCase();
  return String(v);
}

function cell(v, type) {
  if (v === null || v === undefined || v === "") return "";
  const s = type === "repid" ? "{" + text(v).toUpperCase() + "}" : text(v);
  return quotedTypes.has(type) ? '"' + s.replaceAll('"', '""') + '"' : s;
}

function csv(name) {
  const t = reader.getTable(name);
  const columns = t.getColumns();
  const lines = [columns.map((c) => c.name).join(",")];
  for (const row of t.getData()) lines.push(columns.map((c) => cell(row[c.name], c.type)).join(","));
  return lines.join("\n") + "\n";
}

if (table) {
  process.stdout.write(csv(table));
} else {
  for (const name of reader.getTableNames({ normalTables: true, systemTables: true }))
    process.stdout.write("## " + name + "\n" + csv(name));
}
