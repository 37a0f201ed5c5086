var document = { write: function (s) { write(String(s)); }, title: "", bgColor: "#c0c0c0" };
