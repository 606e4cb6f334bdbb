// Writes pinyin-pro's readings, the checker's second reference for Pinyin, as
// plain UTF-8 text (tone digits, 5 for the neutral tone, ü as v):
//   pinyinpro_chars.txt   character<TAB>reading        (U+4E00-U+9FA5, the character alone)
//   pinyinpro_words.txt   word<TAB>syllables           (CC-CEDICT's words of 2-4 characters)
// Usage: node export_pinyin_pro.mjs NODE_MODULES OUT_DIR
import fs from 'fs';
import path from 'path';
import { createRequire } from 'module';
import { pathToFileURL } from 'url';

const [modules, out] = process.argv.slice(2);
if (!modules || !out) {
  console.error('usage: node export_pinyin_pro.mjs NODE_MODULES OUT_DIR');
  process.exit(2);
}
const require = createRequire(import.meta.url);
const { pinyin } = require(path.join(modules, 'pinyin-pro'));
const syllables = text => pinyin(text, { toneType: 'num', type: 'array' })
  .map(s => s.replace('ü', 'v').replace(/0$/, '5'));
const write = (name, lines) => {
  const tmp = path.join(out, name + '.tmp');
  fs.writeFileSync(tmp, lines.join('\n') + '\n');
  fs.renameSync(tmp, path.join(out, name));
};
fs.mkdirSync(out, { recursive: true });

const chars = [];
for (let c = 0x4e00; c <= 0x9fa5; ++c) {
  const ch = String.fromCharCode(c);
  chars.push(`${ch}\t${syllables(ch)[0]}`);
}
write('pinyinpro_chars.txt', chars);

const cedict = (await import(pathToFileURL(path.join(modules, 'cc-cedict/data/all.js')))).default;
const words = new Set();
for (const e of cedict.all || cedict) {
  const n = [...e[1]].length;
  if (n >= 2 && n <= 4) words.add(e[1]);
}
write('pinyinpro_words.txt', [...words].map(w => `${w}\t${syllables(w).join(' ')}`));
