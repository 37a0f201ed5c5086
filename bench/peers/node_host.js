// Runs one benchmark file in node with a document whose write prints.
const fs = require("fs");
const vm = require("vm");
globalThis.document = { write: (s) => process.stdout.write(String(s)), title: "", bgColor: "#c0c0c0" };
vm.runInThisContext(fs.readFileSync(process.argv[2], "latin1"));
