// The players' page: shows what the laptop sends and decides nothing about
// the game. Every text of the draw and of the cards comes from the server.
'use strict';

(function () {
  const MAX_CARTES = 24;
  const CLE = 'numerella.grilles';
  const TEXTES = {
    attente: 'Connexion au tirage…',
    direct: 'En direct',
    perdue: 'Connexion perdue, reconnexion…',
    plein: 'Ce téléphone suit déjà 24 grilles : retirez-en une avant d\'en ajouter.',
    numero: 'Indiquez le numéro imprimé sur la grille.',
    code: 'Indiquez le code de contrôle imprimé sur la grille.',
    envoi: 'Grille envoyée, vérification…',
    horsLigne: 'Pas de connexion au tirage : réessayez dans un instant.',
    retirer: 'Retirer',
    grille: 'Grille '
  };

  const $ = (id) => document.getElementById(id);
  const el = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined && text !== null) e.textContent = String(text);
    return e;
  };

  let socket = null;
  let relance = null;
  let essais = 0;
  let fini = false;       // the operator stopped the phones: retry quietly
  let enAttente = {};     // cards sent with "ajouter", waiting for "ajout"
  let dernieres = [];     // the last "cartes" list, to show at once after a removal
  let courant = null;
  let gagnantes = {};     // cards already shown winning, so the alert is given once

  // ---- Cards kept on the phone: only those the server accepted. ----
  function lireGardees() {
    try {
      const v = JSON.parse(localStorage.getItem(CLE) || '[]');
      if (!Array.isArray(v)) return [];
      // Exactly the fields the laptop reads: anything more would be refused.
      return v.filter((c) => c && Number.isInteger(c.n) && typeof c.code === 'string')
        .slice(0, MAX_CARTES)
        .map((c) => (typeof c.jeton === 'string'
          ? { n: c.n, code: c.code, jeton: c.jeton } : { n: c.n, code: c.code }));
    } catch (e) {
      return [];
    }
  }
  function ecrireGardees(liste) {
    try { localStorage.setItem(CLE, JSON.stringify(liste)); } catch (e) { /* private mode */ }
  }
  // jeton: the laptop's receipt, so that a reconnection is never taken for guessing.
  function garder(n, code, jeton) {
    const liste = lireGardees().filter((c) => c.n !== n);
    liste.push(typeof jeton === 'string' ? { n: n, code: code, jeton: jeton } : { n: n, code: code });
    ecrireGardees(liste);
  }
  function oublier(n) {
    ecrireGardees(lireGardees().filter((c) => c.n !== n));
  }

  // ---- The connection. ----
  function envoyer(objet) {
    if (!socket || socket.readyState !== WebSocket.OPEN) return false;
    socket.send(JSON.stringify(objet));
    return true;
  }

  function connexion(texte, etat) {
    const c = $('connexion');
    c.textContent = texte;
    c.className = etat;
    document.body.classList.toggle('fini', etat === 'fin');
    document.body.classList.toggle('coupe', etat === 'perdue');
  }

  function connecter() {
    clearTimeout(relance);
    relance = null;
    if (socket && socket.readyState <= WebSocket.OPEN) return;
    let ws;
    try {
      ws = new WebSocket('ws://' + location.host + '/direct');
    } catch (e) {
      planifier();
      return;
    }
    socket = ws;
    ws.onopen = () => {
      entendu(ws);
      essais = 0;
      enAttente = {};
      ws.send(JSON.stringify({ suivre: lireGardees() }));
    };
    ws.onmessage = (ev) => {
      entendu(ws);
      let m;
      try { m = JSON.parse(ev.data); } catch (e) { return; }
      if (!m || typeof m !== 'object') return;
      if (m.type === 'etat') montrerEtat(m);
      else if (m.type === 'cartes') montrerCartes(m.cartes || []);
      else if (m.type === 'ajout') reponseAjout(m);
      else if (m.type === 'fin') {
        fini = true;
        connexion(m.message || '', 'fin');
      }
    };
    ws.onclose = () => {
      if (socket !== ws) return;
      socket = null;
      if (!fini) connexion(TEXTES.perdue, 'perdue');
      planifier();
    };
  }

  // The laptop says something at least every 20 s: a silence three times
  // as long is a Wi-Fi gone without the socket knowing, and it starts again.
  let silence = null;
  function entendu(ws) {
    clearTimeout(silence);
    silence = setTimeout(() => {
      if (socket !== ws) return;
      socket = null;
      if (!fini) connexion(TEXTES.perdue, 'perdue');
      ws.close();
      planifier();
    }, 60000);
  }

  function planifier() {
    if (relance) return;
    // Quick retries after a Wi-Fi drop; every few seconds once stopped.
    const delai = fini ? 3000 : Math.min(500 + 500 * essais, 3000);
    essais++;
    relance = setTimeout(connecter, delai);
  }

  // ---- The draw. ----
  function construirePlateau() {
    const p = $('plateau');
    for (let i = 1; i <= 90; i++) {
      const li = el('li', 'case');
      li.id = 'n' + i;
      li.appendChild(el('span', null, i));
      li.appendChild(el('span', 'cache', ', sorti'));
      p.appendChild(li);
    }
  }

  function remplir(liste, items, cls) {
    liste.textContent = '';
    items.forEach((t) => liste.appendChild(el('li', cls, t)));
  }

  function montrerEtat(e) {
    fini = false;
    connexion(TEXTES.direct, 'direct');
    document.body.classList.remove('clair', 'sombre');
    document.body.classList.add(e.theme === 'sombre' ? 'sombre' : 'clair');

    $('titre').textContent = e.titre || 'Numerella - Tirage en direct';
    $('organisateur').textContent = e.organisateur || '';
    // Only a new number is written, so a screen reader calls it once.
    const n = Number.isInteger(e.numero) ? e.numero : null;
    if (n !== courant) {
      courant = n;
      $('courant').textContent = n === null ? '' : String(n);
    }
    $('compte').textContent = e.compte || '';
    $('ligne').textContent = e.ligne || '';
    remplir($('derniers'), (e.derniers || []).slice(0, 5), 'boule');
    remplir($('gagnants'), e.gagnants || [], null);
    $('gagnants-cadre').hidden = !(e.gagnants || []).length;

    const sortis = {};
    (e.tires || []).forEach((x) => { sortis[x] = true; });
    for (let i = 1; i <= 90; i++) {
      $('n' + i).classList.toggle('sorti', !!sortis[i]);
    }

    const sans = $('sans-grilles');
    const possible = e.grilles !== false;
    $('ajout').hidden = !possible;
    sans.hidden = possible;
    sans.textContent = possible ? '' : (e.pourquoiPasDeGrilles || '');
  }

  // ---- "Mes grilles". ----
  function montrerCartes(cartes) {
    dernieres = cartes;
    const zone = $('cartes');
    zone.textContent = '';
    const avant = gagnantes;
    gagnantes = {};
    cartes.forEach((c) => {
      zone.appendChild(carte(c, c.gagne && !avant[c.n]));
      if (c.gagne) gagnantes[c.n] = true;
    });
  }

  function carte(c, nouvelleGagnante) {
    const nom = c.nom || String(c.n);
    const refus = typeof c.refus === 'string';
    const bloc = el('article', 'carte' + (c.gagne ? ' gagne' : '') + (refus ? ' refusee' : ''));
    bloc.setAttribute('aria-label', TEXTES.grille + nom);
    const tete = el('div', 'carte-tete');
    tete.appendChild(el('h3', null, TEXTES.grille + nom));
    const bouton = el('button', 'retirer', TEXTES.retirer);
    bouton.type = 'button';
    bouton.setAttribute('aria-label', 'Retirer la grille ' + nom);
    bouton.addEventListener('click', () => retirer(c.n));
    tete.appendChild(bouton);
    bloc.appendChild(tete);

    if (!refus && Array.isArray(c.cases)) {
      const sortis = {};
      (c.tires || []).forEach((x) => { sortis[x] = true; });
      const table = el('table', 'cases');
      table.setAttribute('aria-hidden', 'true');
      for (let r = 0; r < 3; r++) {
        const tr = el('tr');
        for (let k = 0; k < 9; k++) {
          const v = c.cases[r * 9 + k];
          const td = el('td', v ? (sortis[v] ? 'marque' : 'plein') : 'vide', v ? v : '');
          tr.appendChild(td);
        }
        table.appendChild(tr);
      }
      bloc.appendChild(table);
    }
    const statut = el('p', 'statut', refus ? c.refus : (c.etat || ''));
    if (nouvelleGagnante) statut.setAttribute('role', 'alert');
    bloc.appendChild(statut);
    return bloc;
  }

  function retirer(n) {
    oublier(n);
    envoyer({ retirer: n });
    montrerCartes(dernieres.filter((c) => c.n !== n));
    $('message').textContent = '';
  }

  function ajouter(ev) {
    ev.preventDefault();
    const message = $('message');
    const champN = $('numero-grille');
    const champC = $('code-grille');
    const texteN = champN.value.trim();
    const code = champC.value.replace(/\s+/g, '').toUpperCase();
    if (!/^[0-9]{1,6}$/.test(texteN) || Number(texteN) === 0) {
      message.textContent = TEXTES.numero;
      champN.focus();
      return;
    }
    if (!code) {
      message.textContent = TEXTES.code;
      champC.focus();
      return;
    }
    const n = Number(texteN);
    const gardees = lireGardees();
    const nouvelle = !gardees.some((c) => c.n === n);
    const attente = Object.keys(enAttente).filter((k) => Number(k) !== n).length;
    if (nouvelle && gardees.length + attente >= MAX_CARTES) {
      message.textContent = TEXTES.plein;
      return;
    }
    enAttente[n] = code;
    if (!envoyer({ ajouter: { n: n, code: code } })) {
      delete enAttente[n];
      message.textContent = TEXTES.horsLigne;
      return;
    }
    message.textContent = TEXTES.envoi;
  }

  function reponseAjout(m) {
    const code = enAttente[m.n];
    delete enAttente[m.n];
    const message = $('message');
    if (m.ok) {
      // A card already followed is answered "ok" whatever the code typed:
      // the code kept is then the one the server checked before.
      const vue = dernieres.find((c) => c.n === m.n);
      if (code !== undefined && (!vue || typeof vue.refus === 'string')) garder(m.n, code, m.jeton);
      message.textContent = '';
      $('numero-grille').value = '';
      $('code-grille').value = '';
    } else {
      message.textContent = m.message || '';
    }
  }

  function demarrer() {
    construirePlateau();
    $('ajout').addEventListener('submit', ajouter);
    // A phone waking from sleep reconnects at once instead of waiting.
    document.addEventListener('visibilitychange', () => {
      if (!document.hidden && !socket) connecter();
    });
    window.addEventListener('online', () => { if (!socket) connecter(); });
    connecter();
  }

  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', demarrer);
  else demarrer();
})();
