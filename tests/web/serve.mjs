// A static server for the built site, and nothing more: the right types (the
// module and the .wasm must come as what they are, or the browser refuses
// them), every answer revalidated so a test never sees yesterday's build, and
// no headers of its own that the site does not send from its files (the
// site's own policy is what is tested, not this server's).
//
//   node serve.mjs ROOT HOST:PORT
import { createServer } from 'node:http';
import { createReadStream, statSync } from 'node:fs';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
};

export function serve(root, port = 0, host = '127.0.0.1') {
  const base = resolve(root);
  const server = createServer((req, res) => {
    let path;
    try {
      path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    } catch {
      res.writeHead(400).end();
      return;
    }
    let file = normalize(join(base, path));
    if (file !== base && !file.startsWith(base + sep)) {
      res.writeHead(403).end();
      return;
    }
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      const size = statSync(file).size;
      res.writeHead(200, {
        'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
        'Content-Length': size,
        'Cache-Control': 'no-cache',
      });
      if (req.method === 'HEAD') res.end();
      else createReadStream(file).pipe(res);
    } catch {
      res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
    }
  });
  return new Promise((ok, fail) => {
    server.once('error', fail);
    server.listen(port, host, () => ok(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [root, where = '127.0.0.1:8765'] = process.argv.slice(2);
  const [host, port] = where.split(':');
  const server = await serve(root, Number(port), host);
  console.log(`serving ${resolve(root)} on http://${host}:${server.address().port}/`);
}
