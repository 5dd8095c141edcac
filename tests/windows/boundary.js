// Every member of every class, called from JScript with what JScript passes: its arrays (script
// objects), a VBArray from a dictionary's Items(), null, undefined, Date objects and bare objects. Each
// call either works or throws a script error with its classic number; the script lives on to
// print its count.
var passed = 0, failed = 0, errors = 0;

function check(ok, what) {
  if (ok) {
    passed++;
  } else {
    failed++;
    WScript.Echo("FAILED: " + what);
  }
}

// Runs a call and checks the error number it ends with (0: none).
function expect(number, what, call) {
  var got = 0, description = "";
  try {
    call();
  } catch (e) {
    got = e.number & 0xFFFF;
    description = e.description;
    errors++;
  }
  check(got === number, what + ": expected " + number + ", got " + got + " (" + description + ")");
}

var dictionary = new ActiveXObject("Scripting.Dictionary");
dictionary.Add("a", 1);
dictionary.Add("b", 2);
var vbArray = dictionary.Items();
var bare = {};
var date = new Date(2021, 2, 4);

var classes = ["ProfilHE", "ProfilIPN", "ProfilUPN", "ProfilL", "ProfilT", "ProfilTArr", "ProfilTubo",
               "ProfilRettCavo", "ProfilQuadCavo", "ProfilPiatto", "ProfilTondo", "ProfilQuadro"];
for (var i = 0; i < classes.length; i++) {
  var name = classes[i];
  var p = new ActiveXObject("Zembrati." + name);
  p.lung = 2500;
  expect(13, name + ".lung = [1, 2]", function () { p.lung = [1, 2]; });
  expect(13, name + ".lung = a VBArray", function () { p.lung = vbArray; });
  expect(94, name + ".lung = null", function () { p.lung = null; });
  expect(13, name + ".lung = {}", function () { p.lung = bare; });
  check(p.lung === 2500, name + ".lung is still 2500: " + p.lung);
  expect(13, name + ".lung = a Date object", function () { p.lung = date; });
  expect(0, name + ".lung = undefined", function () { p.lung = undefined; });
  expect(450, name + ".lung(1)", function () { return p.lung(1); });
  p.Normativa = "HEA";
  expect(94, name + ".Normativa = null", function () { p.Normativa = null; });
  expect(13, name + ".Normativa = a VBArray", function () { p.Normativa = vbArray; });
  check(p.Normativa === "HEA", name + ".Normativa is still HEA");
  expect(0, name + ".Codice with a NUL", function () { p.Codice = "20\u00000"; });
  check(p.Codice.length === 4, name + ".Codice keeps the text after the NUL");
  expect(438, name + ".Explode()", function () { p.Explode(); });
  expect(13, name + ".GetPartData(VBArray)", function () { p.GetPartData(vbArray); });
  expect(424, name + ".GetPartData(null)", function () { p.GetPartData(null); });
  expect(424, name + ".GetPartData(undefined)", function () { p.GetPartData(undefined); });
  expect(438, name + ".GetPartData({})", function () { p.GetPartData(bare); });
  expect(450, name + ".GetPartData()", function () { p.GetPartData(); });
  expect(13, name + ".PreUpdate(VBArray)", function () { p.PreUpdate(vbArray); });
  expect(438, name + ".PreUpdate([])", function () { p.PreUpdate([]); });
  expect(13, name + ".DblClick({}, VBArray, 0)", function () { p.DblClick(bare, vbArray, 0); });
  expect(438, name + ".DblClick({}, 0, 0)", function () { p.DblClick(bare, 0, 0); });
  expect(450, name + ".DblClick({})", function () { p.DblClick(bare); });
  expect(13, name + ".Create(VBArray)", function () { return p.Create(vbArray); });
}

var dropper = new ActiveXObject("Zembrati.ZembratiObj");
expect(13, "Drop(VBArray, 0, 0)", function () { dropper.Drop(vbArray, 0, 0); });
expect(424, "Drop(null, 0, 0)", function () { dropper.Drop(null, 0, 0); });
expect(438, "Drop({}, 0, 0)", function () { dropper.Drop(bare, 0, 0); });
expect(450, "Drop()", function () { dropper.Drop(); });
var hook = new ActiveXObject("Zembrati.DropHook");
expect(13, "OnDragDrop(VBArray)", function () { hook.OnDragDrop(vbArray); });
expect(429, "OnDragDrop({}) without the host's registry reader", function () { hook.OnDragDrop(bare); });

// Every object goes before the count is printed, so that a failure while releasing them shows.
p = null;
dropper = null;
hook = null;
CollectGarbage();
WScript.Echo(errors + " errors returned");
WScript.Echo(passed + " passed, " + failed + " failed");
