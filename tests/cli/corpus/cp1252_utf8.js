// “Smart” quotes, the € sign … and ‘single’ ones — all Windows-1252.
const label = "Price: 20 € – Zoë’s café";
/* Š, Œ, ™ and • live at 0x80–0x9F */
console.log(label + ' … done');
