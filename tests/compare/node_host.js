// Runs a script file in node with the one host object the cases use.
const fs = require("fs");
const vm = require("vm");
globalThis.document = {
  write: (s) => process.stdout.write(String(s)),
  writeln: (s) => process.stdout.write(String(s) + "\n"),
};
vm.runInThisContext(fs.readFileSync(process.argv[2], "latin1"), { filename: process.argv[2] });
