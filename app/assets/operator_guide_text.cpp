#include "app/assets/operator_guide_text.h"

namespace tallimo::app::assets {
namespace {

using Kind = GuideParagraph::Kind;

GuideParagraph text(std::string s) {
    return {Kind::Text, std::move(s)};
}
GuideParagraph bullet(std::string s) {
    return {Kind::Bullet, std::move(s)};
}
GuideParagraph step(std::string s) {
    return {Kind::Step, std::move(s)};
}

std::vector<GuidePage> buildGuide() {
    return {
        {"Présentation",
         {
             {"À quoi sert Tallimo Pistara",
              {
                  text("Tallimo Pistara chronomètre les karts de location sur la piste et gère "
                       "l'activité autour des séances : réservations, encaissements, abonnés, "
                       "points de fidélité, tarifs et courriels promotionnels."),
                  text("Un décodeur placé sur la ligne d'arrivée lit le transpondeur fixé sur "
                       "chaque kart et transmet chaque passage au programme par un port COM (USB "
                       "ou Bluetooth). Chaque passage d'un kart réservé devient un tour : le "
                       "programme tient les temps au tour, le meilleur tour de chaque kart et de "
                       "la journée, arrête chaque run quand ses minutes sont écoulées et affiche "
                       "tout en direct sur le tableau de chronométrage."),
              }},
             {"La séance de location",
              {
                  text("Le programme conduit une séance de location à la fois. Une séance "
                       "réunit jusqu'à cinq catégories de 30 karts de location, prises dans la "
                       "flotte de la piste, et une catégorie de 30 karts privés."),
                  bullet("Chaque kart de la séance reçoit un pilote (en général un abonné) et "
                         "une durée de run en minutes."),
                  bullet("Le prix est encaissé avec les remises d'anniversaire, de fête et "
                         "d'événement, ou payé avec des points de fidélité."),
                  bullet("Quand le kart est libéré, le run du pilote est enregistré dans son "
                         "fichier de runs, où il peut être analysé et imprimé."),
              }},
             {"Les fenêtres",
              {
                  text("La fenêtre principale porte le menu, l'arbre de la séance à gauche et "
                       "le tableau de chronométrage. Chaque fenêtre de base de données travaille "
                       "sur sa propre copie : « Ok » enregistre les modifications, « Echap » ou "
                       "la case de fermeture les abandonne."),
                  text("Toutes les données sont des fichiers texte dans le dossier de travail "
                       "du programme ; les sons se trouvent dans « sons », les images dans "
                       "« images » et ce guide dans « Guides »."),
              }},
         }},
        {"Démarrer une séance",
         {
             {"Préparer la séance",
              {
                  step("Choisissez la piste de la séance : son temps de protection empêche de "
                       "compter un tour trop court."),
                  step("Ajoutez les karts utilisés dans la liste des karts de chaque catégorie ; "
                       "un kart ajouté est libre et reprend le transpondeur enregistré dans la "
                       "flotte."),
                  step("Ouvrez la réservation du kart (ou la réservation de groupe de la "
                       "catégorie), choisissez l'abonné ou tapez le nom d'un pilote de passage, "
                       "puis la durée du run. Cochez « Paiement effectué » après l'encaissement "
                       "et imprimez le ticket si le client le souhaite."),
                  step("Le kart passe à l'état « réservé » et apparaît ainsi sur le tableau."),
              }},
             {"Lancer et arrêter le chronomètre",
              {
                  step("Appuyez sur « Départ » : la corne de brume retentit et l'horloge de la "
                       "séance démarre. Avec un décodeur Vela2 ou Vela3, l'horloge du décodeur "
                       "est remise à zéro."),
                  step("Le premier passage d'un kart réservé lance son run ; chaque passage "
                       "suivant plus long que le temps de protection compte un tour."),
                  step("Quand les minutes réservées sont écoulées, le run est fini : à chaque "
                       "passage suivant, un signal de message prévient le pilote."),
                  step("« Pause » arrête l'horloge (klaxon de camion) ; « Départ » la relance."),
                  step("Libérez le kart dans sa réservation : les points de fidélité sont "
                       "crédités et le run est ajouté au fichier du pilote."),
              }},
             {"Bon à savoir",
              {
                  bullet("« Quitter » est refusé tant que l'horloge de la séance tourne : "
                         "mettez d'abord la séance en pause."),
                  bullet("À la fermeture, le programme propose d'enregistrer la séance. Au "
                         "démarrage suivant, une copie de secours de la séance précédente est "
                         "conservée dans « PcCrashFile.rent »."),
                  bullet("Un kart ne peut être retiré de la séance que s'il est libre : un kart "
                         "réservé, en piste ou au run fini y reste jusqu'à sa libération."),
              }},
         }},
        {"Le décodeur",
         {
             {"Modèles pris en charge",
              {
                  bullet("Vela1 (USB) : le décodeur envoie les numéros de transpondeur, le PC "
                         "date lui-même les passages."),
                  bullet("Vela2 et Vela3 (USB ou Bluetooth) : le décodeur envoie des passages "
                         "datés par sa propre horloge, plus précis."),
              }},
             {"Brancher et identifier le décodeur",
              {
                  text("Au démarrage, le programme ouvre le port COM enregistré et identifie le "
                       "modèle du décodeur. Sans décodeur branché, un message le signale ; le "
                       "tableau et la séance fonctionnent quand même."),
                  step("Ouvrez la fenêtre « Interface décodeur »."),
                  step("Choisissez le modèle (Vela1 USB, Vela2/Vela3 USB ou Vela2/Vela3 "
                       "Bluetooth) et le port COM (COM1 à COM99)."),
                  step("Appuyez sur « Ouvrir ». Le voyant passe au vert quand la liaison est "
                       "établie, il reste rouge sinon."),
                  step("« Ok » ferme la fenêtre ; le réglage est conservé pour les démarrages "
                       "suivants."),
              }},
             {"Lire les transpondeurs de la flotte",
              {
                  text("Dans la fenêtre « Parc karts de location », le bouton « Scan. » met le "
                       "décodeur à l'écoute : faites passer le kart devant la boucle, son numéro "
                       "de transpondeur s'inscrit dans la case du kart choisi. Le voyant animé "
                       "montre que la lecture est active."),
              }},
             {"En cas de problème",
              {
                  bullet("Vérifiez le câble USB ou l'appairage Bluetooth, puis le numéro de "
                         "port COM dans le gestionnaire de périphériques."),
                  bullet("Un transpondeur lu plusieurs fois au même passage n'est compté "
                         "qu'une fois : les passages à moins de 2 secondes sont ignorés."),
              }},
         }},
        {"Le tableau de chronométrage",
         {
             {"Ce que montre le tableau",
              {
                  text("Le tableau présente un bloc par catégorie de la séance, dans sa couleur, "
                       "avec le nom de la catégorie (« Karts privés » pour les karts des "
                       "clients). Pour chaque kart : son numéro, le pilote, les minutes "
                       "réservées, le nombre de tours, le temps du run, le dernier tour et le "
                       "meilleur tour."),
                  bullet("Un kart qui vient de boucler un tour s'affiche en rouge."),
                  bullet("La coupe à côté du nom de la catégorie ouvre le classement en "
                         "direct de la catégorie."),
                  bullet("En laissant la souris sur un kart, une bulle montre son "
                         "transpondeur et son pilote."),
                  bullet("La zone de l'horloge indique « En cours » ou « En pause », la durée "
                         "de la séance, le temps écoulé et le temps restant."),
              }},
             {"Les sons de la piste",
              {
                  bullet("Bip : un tour est compté, ou un kart est ajouté ou retiré."),
                  bullet("Buzzer : passage trop rapproché du précédent (tour plus court que le "
                         "temps de protection)."),
                  bullet("« Youpi » : le pilote vient de battre son meilleur tour."),
                  bullet("Signal de message : le run du kart est terminé."),
                  bullet("Corne de brume : départ de la séance, puis fin du temps de séance."),
                  bullet("Klaxon de camion : la séance est mise en pause."),
              }},
             {"Le classement",
              {
                  text("La fenêtre de classement range les pilotes en direct, par nombre de "
                       "tours et temps, ou par meilleur tour. Les filtres par catégorie de karts, "
                       "catégorie d'âge et sexe s'appliquent avec « Mise à jour ». Les cases "
                       "cochées choisissent les pilotes gardés ; le classement s'imprime."),
              }},
         }},
        {"Les bases de données",
         {
             {"Les bases de référence",
              {
                  bullet("Pistes (10 au plus) : nom, temps de protection, record du tour et "
                         "photo de la piste."),
                  bullet("Catégories de karts (5 au plus) : description, caractéristiques et "
                         "les 30 karts de la flotte avec leur transpondeur."),
                  bullet("Abonnés (500 au plus) : identité, date de naissance, club, photo, "
                         "transpondeur personnel et points de fidélité."),
                  bullet("Catégories d'âge, clubs et teams (100 au plus), pays, prénoms et "
                         "dates de fête."),
              }},
             {"Les finances",
              {
                  bullet("Tarifs : jusqu'à six durées de séance par catégorie, dans l'une des "
                         "13 monnaies proposées."),
                  bullet("Remises : anniversaire, fête du prénom et événements datés ; "
                         "programme de fidélité avec ses points par séance."),
                  bullet("Tickets de réservation et listes de prix imprimables."),
              }},
             {"Les pilotes et leurs runs",
              {
                  text("Chaque abonné a son fichier de runs. L'analyse d'un run donne le "
                       "meilleur, le moins bon et le tour moyen, l'écart type, l'histogramme et "
                       "la courbe des temps ; trois rapports peuvent être imprimés."),
              }},
             {"Sauvegarder et échanger",
              {
                  text("Chaque base peut être exportée dans un fichier et importée de nouveau, "
                       "par exemple pour la copier sur un autre poste. Pensez à sauvegarder "
                       "régulièrement le dossier de travail du programme : toutes les données "
                       "y sont rangées."),
                  text("Les libellés de chaque fenêtre existent en six langues et peuvent être "
                       "modifiés dans l'éditeur de traductions ; les rapports imprimés ont leur "
                       "propre langue."),
              }},
         }},
    };
}

} // namespace

const std::vector<GuidePage>& operatorGuidePages() {
    static const std::vector<GuidePage> pages = buildGuide();
    return pages;
}

} // namespace tallimo::app::assets
