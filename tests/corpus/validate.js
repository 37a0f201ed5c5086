function isEmpty(s) { return s == null || s.length == 0; }
function isDigit(c) { return ((c >= "0") && (c <= "9")); }
function isInteger(s) {
  var i;
  if (isEmpty(s)) return false;
  for (i = 0; i < s.length; i++) {
    var c = s.charAt(i);
    if (!isDigit(c)) return false;
  }
  return true;
}
function check(form) {
  if (isEmpty(form.name.value)) { alert('Please enter your name.'); return false; }
  if (!isInteger(form.age.value)) { alert("Age must be a number:\n" + form.age.value); return false; }
  return confirm("Send it?");
}
