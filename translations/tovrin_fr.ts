<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AppState</name>
    <message>
        <source>Moving files</source>
        <translation>Déplacement des fichiers</translation>
    </message>
    <message>
        <source>Nothing was moved: the log needed to undo the moves can&apos;t be written. Check that the disk has room and isn&apos;t read-only.</source>
        <translation>Rien n’a été déplacé&#xa0;: le journal nécessaire pour annuler ne peut pas être écrit. Vérifiez que le disque a de la place et n’est pas en lecture seule.</translation>
    </message>
    <message>
        <source>Putting files back</source>
        <translation>Remise en place des fichiers</translation>
    </message>
    <message numerus="yes">
        <source>Restored %Ln file(s) to where they were.</source>
        <translation>
            <numerusform>%Ln fichier remis à sa place.</numerusform>
            <numerusform>%Ln fichiers remis à leur place.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to undo.</source>
        <translation>Rien à annuler.</translation>
    </message>
    <message numerus="yes">
        <source>%n year(s) ago</source>
        <translation>
            <numerusform>il y a %n an</numerusform>
            <numerusform>il y a %n ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n year(s)</source>
        <translation>
            <numerusform>dans %n an</numerusform>
            <numerusform>dans %n ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n month(s) ago</source>
        <translation>
            <numerusform>il y a %n mois</numerusform>
            <numerusform>il y a %n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n month(s)</source>
        <translation>
            <numerusform>dans %n mois</numerusform>
            <numerusform>dans %n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) ago</source>
        <translation>
            <numerusform>il y a %n semaine</numerusform>
            <numerusform>il y a %n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n week(s)</source>
        <translation>
            <numerusform>dans %n semaine</numerusform>
            <numerusform>dans %n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>il y a %n jour</numerusform>
            <numerusform>il y a %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>dans %n jour</numerusform>
            <numerusform>dans %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>il y a %n heure</numerusform>
            <numerusform>il y a %n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>dans %n heure</numerusform>
            <numerusform>dans %n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>il y a %n minute</numerusform>
            <numerusform>il y a %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>dans %n minute</numerusform>
            <numerusform>dans %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) ago</source>
        <translation>
            <numerusform>il y a %n seconde</numerusform>
            <numerusform>il y a %n secondes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n second(s)</source>
        <translation>
            <numerusform>dans %n seconde</numerusform>
            <numerusform>dans %n secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>Ready for a fresh start</source>
        <translation>Prêt pour un nouveau départ</translation>
    </message>
    <message>
        <source>Last refresh %1</source>
        <translation>Rangé %1</translation>
    </message>
    <message>
        <source>Estimating time left…</source>
        <translation>Estimation du temps restant…</translation>
    </message>
    <message>
        <source>Less than a minute left</source>
        <translation>Moins d’une minute restante</translation>
    </message>
    <message>
        <source>About %1 min left</source>
        <translation>Environ %1 min restantes</translation>
    </message>
    <message>
        <source>Putting everything in its place</source>
        <translation>Chaque chose trouve sa place</translation>
    </message>
    <message>
        <source>Learning what you work on…</source>
        <translation>Tovrin découvre vos sujets de travail…</translation>
    </message>
    <message>
        <source>Getting started…</source>
        <translation>Démarrage…</translation>
    </message>
    <message>
        <source>Looking through your folders</source>
        <translation>Examen de vos dossiers</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach Claude. Check your internet connection and try again.</source>
        <translation>Impossible de joindre Claude. Vérifiez votre connexion Internet et réessayez.</translation>
    </message>
    <message numerus="yes">
        <source>Found %Ln file(s)</source>
        <translation>
            <numerusform>%Ln fichier trouvé</numerusform>
            <numerusform>%Ln fichiers trouvés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorted your newest %Ln file(s). Run it again for the rest.</source>
        <translation>
            <numerusform>Votre fichier le plus récent a été trié. Relancez pour le reste.</numerusform>
            <numerusform>Vos %Ln fichiers les plus récents ont été triés. Relancez pour le reste.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You&apos;ve reached this month&apos;s limit of %Ln file(s). It resets on the 1st.</source>
        <translation>
            <numerusform>Vous avez atteint la limite mensuelle de %Ln fichier. Elle repart à zéro le 1er du mois.</numerusform>
            <numerusform>Vous avez atteint la limite mensuelle de %Ln fichiers. Elle repart à zéro le 1er du mois.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorted your newest %Ln file(s). You&apos;ve reached this month&apos;s limit.</source>
        <translation>
            <numerusform>Votre fichier le plus récent a été trié. Vous avez atteint la limite du mois.</numerusform>
            <numerusform>Vos %Ln fichiers les plus récents ont été triés. Vous avez atteint la limite du mois.</numerusform>
        </translation>
    </message>
    <message>
        <source>Learning what you work on</source>
        <translation>Tovrin découvre vos sujets de travail</translation>
    </message>
    <message>
        <source>Nothing new to sort</source>
        <translation>Rien de nouveau à trier</translation>
    </message>
    <message numerus="yes">
        <source>Looking at %Ln file(s)</source>
        <translation>
            <numerusform>Examen de %Ln fichier</numerusform>
            <numerusform>Examen de %Ln fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Goes back</source>
        <translation>Retourne à sa place</translation>
    </message>
    <message>
        <source>Its old place is taken: goes back as %1</source>
        <translation>Son ancienne place est prise : retourne sous le nom %1</translation>
    </message>
    <message>
        <source>A later refresh moved it on</source>
        <translation>Un rangement plus récent l’a déplacé ailleurs</translation>
    </message>
    <message>
        <source>Changed since</source>
        <translation>Modifié depuis</translation>
    </message>
    <message>
        <source>No longer where it was put</source>
        <translation>N’est plus là où il a été rangé</translation>
    </message>
    <message>
        <source>Already put back</source>
        <translation>Déjà remis en place</translation>
    </message>
    <message numerus="yes">
        <source>Restored %1 of %Ln file(s); the rest stayed where they are.</source>
        <translation>
            <numerusform>%1 fichier sur %Ln remis en place ; le reste n’a pas bougé.</numerusform>
            <numerusform>%1 fichiers sur %Ln remis en place ; le reste n’a pas bougé.</numerusform>
        </translation>
    </message>
    <message>
        <source>Put %1 back.</source>
        <translation>%1 a été remis en place.</translation>
    </message>
    <message>
        <source>%1 can&apos;t go back. %2</source>
        <translation>%1 ne peut pas revenir. %2</translation>
    </message>
    <message>
        <source>Waiting for your go-ahead</source>
        <translation>En attente de votre accord</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Arrêt en cours…</translation>
    </message>
    <message numerus="yes">
        <source>Stopped. This refresh cost %1 for %Ln file(s) sent to Claude.</source>
        <translation>
            <numerusform>Arrêté. Ce rangement a coûté %1 pour %Ln fichier envoyé à Claude.</numerusform>
            <numerusform>Arrêté. Ce rangement a coûté %1 pour %Ln fichiers envoyés à Claude.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>About %1 for %Ln file(s)</source>
        <translation>
            <numerusform>Environ %1 pour %Ln fichier</numerusform>
            <numerusform>Environ %1 pour %Ln fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>That is more than your limit of %1 a refresh. Go on?</source>
        <translation>C’est plus que votre limite de %1 par rangement. Continuer ?</translation>
    </message>
    <message>
        <source>Tovrin is busy on the command line. Try again when it is done.</source>
        <translation>Tovrin travaille en ce moment en ligne de commande. Réessayez quand ce sera terminé.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped after %Ln file(s) sent to the model.</source>
        <translation>
            <numerusform>Arrêté après %Ln fichier envoyé au modèle.</numerusform>
            <numerusform>Arrêté après %Ln fichiers envoyés au modèle.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Classifier</name>
    <message>
        <source>To clear out</source>
        <translation>À débarrasser</translation>
    </message>
    <message>
        <source>Needs You</source>
        <translation>À vous de voir</translation>
    </message>
</context>
<context>
    <name>Claude</name>
    <message>
        <source>Tovrin is temporarily unavailable. Please try again later.</source>
        <translation>Tovrin est temporairement indisponible. Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>Tovrin&apos;s own Claude access isn&apos;t set up in this build. Add your API key in Settings.</source>
        <translation>L’accès Claude propre à Tovrin n’est pas configuré dans cette version. Ajoutez votre clé API dans les Paramètres.</translation>
    </message>
    <message>
        <source>The connection closed before Claude answered.</source>
        <translation>La connexion s’est fermée avant la réponse de Claude.</translation>
    </message>
    <message>
        <source>Claude API error %1: %2</source>
        <translation>Erreur de l’API Claude %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Unexpected response from Claude.</source>
        <translation>Réponse inattendue de Claude.</translation>
    </message>
    <message>
        <source>Claude is busy right now. Try again in a minute.</source>
        <translation>Claude est occupé pour le moment. Réessayez dans une minute.</translation>
    </message>
    <message>
        <source>Tovrin won&apos;t send your Claude key to %1 without https. Nothing was moved.</source>
        <translation>Tovrin n’enverra pas votre clé Claude à %1 sans https. Rien n’a été déplacé.</translation>
    </message>
    <message>
        <source>Your Claude credits ran out. Top up at %1, then refresh again. Nothing was moved.</source>
        <translation>Vos crédits Claude sont épuisés. Rechargez-les sur %1, puis relancez le rangement. Rien n’a été déplacé.</translation>
    </message>
    <message>
        <source>Tovrin couldn&apos;t sign in to Claude (error %1). Nothing was moved.</source>
        <translation>Tovrin n’a pas pu se connecter à Claude (erreur %1). Rien n’a été déplacé.</translation>
    </message>
    <message>
        <source>Claude model not available: %1</source>
        <translation>Modèle Claude indisponible&#xa0;: %1</translation>
    </message>
    <message>
        <source>Tovrin sends your files to %1 only once you switch on “I trust this server” in Settings. Nothing was moved.</source>
        <translation>Tovrin n’envoie vos fichiers à %1 qu’une fois «&#xa0;Je fais confiance à ce serveur&#xa0;» activé dans les Réglages. Rien n’a été déplacé.</translation>
    </message>
    <message>
        <source>The model server doesn&apos;t have that model: %1</source>
        <translation>Le serveur de modèles n’a pas ce modèle&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ClaudeSender</name>
    <message>
        <source>The request was cancelled.</source>
        <translation>La requête a été annulée.</translation>
    </message>
</context>
<context>
    <name>ClearSlide</name>
    <message>
        <source>ready to clear out.</source>
        <translation>prêts à débarrasser.</translation>
    </message>
    <message>
        <source>Nothing was deleted. It&apos;s waiting in your review folder whenever you&apos;re ready.</source>
        <translation>Rien n’a été supprimé. Tout vous attend dans votre dossier à vérifier, quand vous voulez.</translation>
    </message>
</context>
<context>
    <name>ConnectionController</name>
    <message>
        <source>Connected.</source>
        <translation>Connecté.</translation>
    </message>
    <message>
        <source>The request was cancelled.</source>
        <translation>La requête a été annulée.</translation>
    </message>
</context>
<context>
    <name>DesktopWords</name>
    <message>
        <source>A fresh start for your computer.</source>
        <translation>Un nouveau départ pour votre ordinateur.</translation>
    </message>
    <message>
        <source>A fresh start for your Mac.</source>
        <translation>Un nouveau départ pour votre Mac.</translation>
    </message>
    <message>
        <source>Your computer just exhaled.</source>
        <translation>Votre ordinateur respire enfin.</translation>
    </message>
    <message>
        <source>Your Mac just exhaled.</source>
        <translation>Votre Mac respire enfin.</translation>
    </message>
    <message>
        <source>Paste your Claude API key. It stays on this computer in a private file and is only sent to Anthropic.</source>
        <translation>Collez votre clé API Claude. Elle reste sur cet ordinateur dans un fichier privé et n’est envoyée qu’à Anthropic.</translation>
    </message>
    <message>
        <source>Paste your Claude API key. It stays on this Mac in a private file and is only sent to Anthropic.</source>
        <translation>Collez votre clé API Claude. Elle reste sur ce Mac dans un fichier privé et n’est envoyée qu’à Anthropic.</translation>
    </message>
    <message>
        <source>Faster, great for most computers</source>
        <translation>Plus rapide, idéal pour la plupart des ordinateurs</translation>
    </message>
    <message>
        <source>Faster, great for most Macs</source>
        <translation>Plus rapide, idéal pour la plupart des Mac</translation>
    </message>
    <message>
        <source>Start a refresh from the tray icon.</source>
        <translation>Lancez un rangement depuis l’icône de la zone de notification.</translation>
    </message>
    <message>
        <source>Start a refresh from the menu bar.</source>
        <translation>Lancez un rangement depuis la barre de menus.</translation>
    </message>
    <message>
        <source>Open in the file manager</source>
        <translation>Ouvrir dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Open in Finder</source>
        <translation>Ouvrir dans le Finder</translation>
    </message>
    <message>
        <source>Otherwise old .deb and AppImage files go to Clear out for you to review.</source>
        <translation>Sinon, les anciens fichiers .deb et AppImage vont dans «&#xa0;Faire le vide&#xa0;» pour que vous les vérifiiez.</translation>
    </message>
    <message>
        <source>Otherwise old .dmg and .pkg files go to Clear out for you to review.</source>
        <translation>Sinon, les anciens fichiers .dmg et .pkg vont dans «&#xa0;Faire le vide&#xa0;» pour que vous les vérifiiez.</translation>
    </message>
</context>
<context>
    <name>DonePanel</name>
    <message>
        <source>A fresh start.</source>
        <translation>Un nouveau départ.</translation>
    </message>
    <message>
        <source>Everything has a home. Nothing was deleted.</source>
        <translation>Chaque chose a sa place. Rien n’a été supprimé.</translation>
    </message>
    <message>
        <source>Everything was already in its place.</source>
        <translation>Tout était déjà à sa place.</translation>
    </message>
    <message>
        <source>organized</source>
        <translation>rangés</translation>
    </message>
    <message>
        <source>renamed</source>
        <translation>renommés</translation>
    </message>
    <message>
        <source>to review</source>
        <translation>à vérifier</translation>
    </message>
    <message>
        <source>Watch your recap</source>
        <translation>Voir le récapitulatif</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) need(s) you</source>
        <translation>
            <numerusform>%Ln fichier a besoin de vous</numerusform>
            <numerusform>%Ln fichiers ont besoin de vous</numerusform>
        </translation>
    </message>
    <message>
        <source>Review what to clear out · %1</source>
        <translation>Vérifier ce qui part · %1</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
</context>
<context>
    <name>FinaleView</name>
    <message>
        <source>Breathe.</source>
        <translation>Respirez.</translation>
    </message>
    <message>
        <source>You&apos;re starting the week fresh.</source>
        <translation>Vous commencez la semaine l’esprit léger.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>Format</name>
    <message>
        <source>Zero KB</source>
        <translation>0 ko</translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s)</source>
        <translation>
            <numerusform>%n octet</numerusform>
            <numerusform>%n octets</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupsSlide</name>
    <message>
        <source>Where everything went</source>
        <translation>Où tout est rangé</translation>
    </message>
</context>
<context>
    <name>HistoryController</name>
    <message>
        <source>%1 moved · %2 renamed</source>
        <translation>%1 déplacés · %2 renommés</translation>
    </message>
    <message>
        <source>Mostly to %1</source>
        <translation>Surtout vers %1</translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Show log files</source>
        <translation>Afficher les journaux</translation>
    </message>
    <message>
        <source>Nothing has been moved yet. Each refresh you apply appears here.</source>
        <translation>Rien n’a encore été déplacé. Chaque rangement appliqué apparaîtra ici.</translation>
    </message>
    <message>
        <source>Can&apos;t be read</source>
        <translation>Illisible</translation>
    </message>
    <message>
        <source>Undone</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>UNDO THIS REFRESH</source>
        <translation>ANNULER CE RANGEMENT</translation>
    </message>
    <message>
        <source>Nothing of this refresh can go back.</source>
        <translation>Rien de ce rangement ne peut revenir.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) go back</source>
        <translation>
            <numerusform>%Ln fichier retourne à sa place</numerusform>
            <numerusform>%Ln fichiers retournent à leur place</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln stay where they are</source>
        <translation>
            <numerusform>%Ln reste où il est</numerusform>
            <numerusform>%Ln restent où ils sont</numerusform>
        </translation>
    </message>
    <message>
        <source>Put back</source>
        <translation>Remettre</translation>
    </message>
    <message>
        <source>Undo this refresh</source>
        <translation>Annuler ce rangement</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Tovrin History</source>
        <translation>Historique de Tovrin</translation>
    </message>
</context>
<context>
    <name>IdlePanel</name>
    <message>
        <source>Tovrin learns what you work on and gives every file a home, based on what&apos;s inside, not what it&apos;s named.</source>
        <translation>Tovrin apprend sur quoi vous travaillez et donne une place à chaque fichier, d’après son contenu et non son nom.</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>SINCE YOUR LAST REFRESH</source>
        <translation>DEPUIS LE DERNIER RANGEMENT</translation>
    </message>
    <message numerus="yes">
        <source>new file(s)</source>
        <translation>
            <numerusform>nouveau fichier</numerusform>
            <numerusform>nouveaux fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>project(s)</source>
        <translation>
            <numerusform>projet</numerusform>
            <numerusform>projets</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>folder(s)</source>
        <translation>
            <numerusform>dossier</numerusform>
            <numerusform>dossiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Refresh now</source>
        <translation>Ranger maintenant</translation>
    </message>
    <message>
        <source>Deep clean everything</source>
        <translation>Grand ménage complet</translation>
    </message>
    <message>
        <source>All folders</source>
        <translation>Tous les dossiers</translation>
    </message>
    <message>
        <source>Clear out junk &amp; duplicates</source>
        <translation>Éliminer déchets et doublons</translation>
    </message>
    <message>
        <source>Undo last refresh</source>
        <translation>Annuler le dernier rangement</translation>
    </message>
    <message>
        <source>Sunday Reset</source>
        <translation>Ménage du dimanche</translation>
    </message>
    <message>
        <source>Sorts your week&apos;s new files every Sunday at 9 AM</source>
        <translation>Trie chaque dimanche à 9 h les nouveaux fichiers de la semaine</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Undo any refresh</source>
        <translation>Annuler n’importe quel rangement</translation>
    </message>
</context>
<context>
    <name>IntroSlide</name>
    <message>
        <source>This Sunday,</source>
        <translation>Ce dimanche,</translation>
    </message>
    <message>
        <source>you made room.</source>
        <translation>vous avez fait de la place.</translation>
    </message>
</context>
<context>
    <name>JunkModel</name>
    <message numerus="yes">
        <source>%1 of %Ln file(s)</source>
        <translation>
            <numerusform>%1 sur %Ln fichier</numerusform>
            <numerusform>%1 sur %Ln fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+ %Ln more like these. Use Keep all to keep the whole group.</source>
        <translation>
            <numerusform>+ %Ln autre du même genre. «&#xa0;Tout garder&#xa0;» conserve tout le groupe.</numerusform>
            <numerusform>+ %Ln autres du même genre. «&#xa0;Tout garder&#xa0;» conserve tout le groupe.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JunkTab</name>
    <message>
        <source>Clear out</source>
        <translation>Faire le vide</translation>
    </message>
    <message>
        <source>Nothing here is deleted. Checked files move to a review folder you empty yourself; unchecked files stay exactly where they are.</source>
        <translation>Rien n’est supprimé ici. Les fichiers cochés vont dans un dossier à vérifier que vous videz vous-même&#xa0;; les autres restent exactement où ils sont.</translation>
    </message>
    <message>
        <source>Junk groups</source>
        <translation>Groupes de déchets</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>Afficher %1</translation>
    </message>
    <message>
        <source>Hide %1</source>
        <translation>Masquer %1</translation>
    </message>
    <message>
        <source>Keep all</source>
        <translation>Tout garder</translation>
    </message>
    <message>
        <source>Include again</source>
        <translation>Réintégrer</translation>
    </message>
    <message>
        <source>Keep these files where they are</source>
        <translation>Laisser ces fichiers où ils sont</translation>
    </message>
</context>
<context>
    <name>LocalModelCard</name>
    <message>
        <source>Use a model on this computer</source>
        <translation>Utiliser un modèle sur cet ordinateur</translation>
    </message>
    <message>
        <source>Your files never leave this computer, and sorting costs nothing. It needs a model server running here, and takes longer.</source>
        <translation>Vos fichiers ne quittent jamais cet ordinateur et le tri ne coûte rien. Il faut qu’un serveur de modèles tourne ici, et c’est plus lent.</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Vérifier</translation>
    </message>
    <message numerus="yes">
        <source>%n model(s) found.</source>
        <translation>
            <numerusform>%n modèle trouvé.</numerusform>
            <numerusform>%n modèles trouvés.</numerusform>
        </translation>
    </message>
    <message>
        <source>I trust this server</source>
        <translation>Je fais confiance à ce serveur</translation>
    </message>
    <message>
        <source>This address is not on this computer: your files would travel to it.</source>
        <translation>Cette adresse n’est pas sur cet ordinateur&#xa0;: vos fichiers y seraient envoyés.</translation>
    </message>
    <message>
        <source>For files</source>
        <translation>Pour les fichiers</translation>
    </message>
    <message>
        <source>For pictures</source>
        <translation>Pour les images</translation>
    </message>
    <message>
        <source>Second look</source>
        <translation>Second regard</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Choose after “Check”</source>
        <translation>Choisir après «&#xa0;Vérifier&#xa0;»</translation>
    </message>
</context>
<context>
    <name>LocalServer</name>
    <message>
        <source>The server at %1 lists no models.</source>
        <translation>Le serveur à l’adresse %1 ne liste aucun modèle.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the model at %1. Check that its server is running and try again.</source>
        <translation>Impossible de joindre le modèle à l’adresse %1. Vérifiez que son serveur tourne, puis réessayez.</translation>
    </message>
    <message>
        <source>That doesn&apos;t look like a server address. Try http://localhost:11434.</source>
        <translation>Cela ne ressemble pas à une adresse de serveur. Essayez http://localhost:11434.</translation>
    </message>
</context>
<context>
    <name>MenuStats</name>
    <message>
        <source>Claude cost for this refresh: %1</source>
        <translation>Coût Claude de ce rangement&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ModePicker</name>
    <message>
        <source>Quick</source>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Thorough</source>
        <translation>Approfondi</translation>
    </message>
    <message>
        <source>Slower, more careful with tricky files</source>
        <translation>Plus lent, plus soigneux avec les fichiers délicats</translation>
    </message>
</context>
<context>
    <name>MovedSlide</name>
    <message numerus="yes">
        <source>file(s) found a home.</source>
        <translation>
            <numerusform>fichier a trouvé sa place.</numerusform>
            <numerusform>fichiers ont trouvé leur place.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NeedsTab</name>
    <message>
        <source>Needs You</source>
        <translation>À vous de voir</translation>
    </message>
    <message>
        <source>Tovrin wasn&apos;t sure about these. Send them to a folder, or leave them where they are.</source>
        <translation>Tovrin n’était pas sûr de ceux-ci. Envoyez-les dans un dossier ou laissez-les où ils sont.</translation>
    </message>
    <message>
        <source>Send all to…</source>
        <translation>Tout envoyer vers…</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Archives</translation>
    </message>
    <message>
        <source>Needs You folder</source>
        <translation>Dossier «&#xa0;Needs You&#xa0;»</translation>
    </message>
    <message>
        <source>Leave all where they are</source>
        <translation>Tout laisser en place</translation>
    </message>
    <message>
        <source>Add a project, e.g. Pellmark</source>
        <translation>Projet, p. ex. Pellmark</translation>
    </message>
    <message>
        <source>Add a project</source>
        <translation>Ajouter un projet</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Leave where it is</source>
        <translation>Laisser en place</translation>
    </message>
    <message>
        <source>Files that need you</source>
        <translation>Fichiers qui ont besoin de vous</translation>
    </message>
    <message>
        <source>Destination of %1: %2</source>
        <translation>Destination de %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message>
        <source>Your fresh start is ready</source>
        <translation>Votre nouveau départ est prêt</translation>
    </message>
    <message numerus="yes">
        <source>%Ln change(s) are waiting. Nothing moves until you say so.</source>
        <translation>
            <numerusform>%Ln changement vous attend. Rien ne bouge sans votre accord.</numerusform>
            <numerusform>%Ln changements vous attendent. Rien ne bouge sans votre accord.</numerusform>
        </translation>
    </message>
    <message>
        <source>Don&apos;t forget to start the week fresh.</source>
        <translation>N’oubliez pas de commencer la semaine l’esprit léger.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>This refresh costs more than your limit</source>
        <translation>Ce rangement dépasse votre limite</translation>
    </message>
    <message>
        <source>%1, above your limit of %2. Open Tovrin to go on or stop.</source>
        <translation>%1, au-delà de votre limite de %2. Ouvrez Tovrin pour continuer ou arrêter.</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Tovrin</source>
        <translation>Tovrin</translation>
    </message>
    <message>
        <source>Connect Tovrin</source>
        <translation>Connecter Tovrin</translation>
    </message>
    <message>
        <source>Test connection</source>
        <translation>Tester la connexion</translation>
    </message>
    <message>
        <source>A few preferences</source>
        <translation>Quelques préférences</translation>
    </message>
    <message>
        <source>Tovrin learns your projects and brands on its own during your first refresh. You can change these any time in Settings.</source>
        <translation>Tovrin apprend vos projets et vos marques tout seul lors du premier rangement. Vous pouvez modifier ces choix à tout moment dans les Paramètres.</translation>
    </message>
    <message>
        <source>FOLDERS TO SORT</source>
        <translation>DOSSIERS À TRIER</translation>
    </message>
    <message>
        <source>Organized folders are created in your Documents folder.</source>
        <translation>Les dossiers rangés sont créés dans votre dossier Documents.</translation>
    </message>
    <message>
        <source>Rename unclear files by what&apos;s in them</source>
        <translation>Renommer les fichiers obscurs selon leur contenu</translation>
    </message>
    <message>
        <source>IMG_4821.png → “Vantle - holographic dragon card art.png”, named by what&apos;s actually in the file.</source>
        <translation>IMG_4821.png → «&#xa0;Vantle - carte dragon holographique.png&#xa0;», nommé d’après ce que contient vraiment le fichier.</translation>
    </message>
    <message>
        <source>Keep app installers</source>
        <translation>Garder les installateurs d’applications</translation>
    </message>
    <message>
        <source>Sunday Reset</source>
        <translation>Ménage du dimanche</translation>
    </message>
    <message>
        <source>Every Sunday at 9 AM, Tovrin sorts the files you saved that week (in Downloads and on your Desktop) and sends you a notification when it&apos;s ready. You review and approve. Nothing moves before that.</source>
        <translation>Chaque dimanche à 9 h, Tovrin trie les fichiers enregistrés dans la semaine (dans Téléchargements et sur le Bureau) et vous prévient quand c’est prêt. Vous vérifiez et approuvez. Rien ne bouge avant.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Start my first refresh</source>
        <translation>Lancer mon premier rangement</translation>
    </message>
    <message>
        <source>Tovrin asks the model server below, so no key is needed.</source>
        <translation>Tovrin interroge le serveur de modèles ci-dessous&#xa0;: aucune clé n’est nécessaire.</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>Welcome to Tovrin</source>
        <translation>Bienvenue dans Tovrin</translation>
    </message>
</context>
<context>
    <name>OrganizeTab</name>
    <message>
        <source>Files to organize</source>
        <translation>Fichiers à ranger</translation>
    </message>
</context>
<context>
    <name>PanelHeader</name>
    <message>
        <source>Tovrin</source>
        <translation>Tovrin</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
</context>
<context>
    <name>PanelWindow</name>
    <message>
        <source>Tovrin</source>
        <translation>Tovrin</translation>
    </message>
</context>
<context>
    <name>ProjectsEditor</name>
    <message>
        <source>None yet. They&apos;re learned automatically on your first refresh.</source>
        <translation>Aucun pour l’instant. Tovrin les apprend tout seul lors du premier rangement.</translation>
    </message>
    <message>
        <source>Add a project, e.g. Pellmark</source>
        <translation>Projet, p. ex. Pellmark</translation>
    </message>
    <message>
        <source>Other names, comma separated</source>
        <translation>Autres noms, par virgules</translation>
    </message>
</context>
<context>
    <name>RecapController</name>
    <message numerus="yes">
        <source>+ %Ln more</source>
        <translation>
            <numerusform>+ %Ln autre</numerusform>
            <numerusform>+ %Ln autres</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecapView</name>
    <message>
        <source>Click to continue</source>
        <translation>Cliquez pour continuer</translation>
    </message>
</context>
<context>
    <name>RecapWindow</name>
    <message>
        <source>Your recap</source>
        <translation>Votre récapitulatif</translation>
    </message>
</context>
<context>
    <name>RenameTab</name>
    <message>
        <source>Clear names</source>
        <translation>Noms clairs</translation>
    </message>
    <message>
        <source>Only files with meaningless names. Extensions never change.</source>
        <translation>Seulement les fichiers aux noms sans signification. Les extensions ne changent jamais.</translation>
    </message>
    <message>
        <source>Renames</source>
        <translation>Renommages</translation>
    </message>
    <message>
        <source>Rename %1 to %2</source>
        <translation>Renommer %1 en %2</translation>
    </message>
</context>
<context>
    <name>RenamedSlide</name>
    <message numerus="yes">
        <source>name(s) made clear.</source>
        <translation>
            <numerusform>nom clarifié.</numerusform>
            <numerusform>noms clarifiés.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Review</name>
    <message>
        <source>Organize</source>
        <translation>Ranger</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Junk</source>
        <translation>Déchets</translation>
    </message>
    <message>
        <source>Needs You</source>
        <translation>À vous de voir</translation>
    </message>
</context>
<context>
    <name>ReviewController</name>
    <message>
        <source>Everything</source>
        <translation>Tout</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) · sorted by what&apos;s inside, not the name</source>
        <translation>
            <numerusform>%Ln fichier · trié selon son contenu, pas son nom</numerusform>
            <numerusform>%Ln fichiers · triés selon leur contenu, pas leur nom</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Approve %Ln change(s)</source>
        <translation>
            <numerusform>Approuver %Ln changement</numerusform>
            <numerusform>Approuver %Ln changements</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %1 · %Ln file(s) sorted into it.</source>
        <translation>
            <numerusform>%1 ajouté · %Ln fichier y a été rangé.</numerusform>
            <numerusform>%1 ajouté · %Ln fichiers y ont été rangés.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReviewModel</name>
    <message>
        <source>Needs You folder</source>
        <translation>Dossier «&#xa0;Needs You&#xa0;»</translation>
    </message>
    <message>
        <source>Leave where it is</source>
        <translation>Laisser en place</translation>
    </message>
</context>
<context>
    <name>ReviewReadyPanel</name>
    <message>
        <source>Your fresh start is ready</source>
        <translation>Votre nouveau départ est prêt</translation>
    </message>
    <message>
        <source>to organize</source>
        <translation>à ranger</translation>
    </message>
    <message>
        <source>to rename</source>
        <translation>à renommer</translation>
    </message>
    <message>
        <source>junk</source>
        <translation>déchets</translation>
    </message>
    <message>
        <source>Review changes</source>
        <translation>Vérifier les changements</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Pas maintenant</translation>
    </message>
</context>
<context>
    <name>ReviewView</name>
    <message>
        <source>Nothing waiting</source>
        <translation>Rien en attente</translation>
    </message>
    <message>
        <source>Nothing is deleted · undo anytime</source>
        <translation>Rien n’est supprimé · annulable à tout moment</translation>
    </message>
    <message>
        <source>Organize only</source>
        <translation>Ranger seulement</translation>
    </message>
</context>
<context>
    <name>ReviewWindow</name>
    <message>
        <source>Your fresh start</source>
        <translation>Votre nouveau départ</translation>
    </message>
</context>
<context>
    <name>RunGate</name>
    <message>
        <source>The refresh was stopped.</source>
        <translation>Le rangement a été arrêté.</translation>
    </message>
</context>
<context>
    <name>ScanningPanel</name>
    <message>
        <source>Go on</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Rename unclear files by what&apos;s in them</source>
        <translation>Renommer les fichiers obscurs selon leur contenu</translation>
    </message>
    <message>
        <source>IMG_4821.png → “Vantle - holographic dragon card art.png”, named by what&apos;s actually in the file.</source>
        <translation>IMG_4821.png → «&#xa0;Vantle - carte dragon holographique.png&#xa0;», nommé d’après ce que contient vraiment le fichier.</translation>
    </message>
    <message>
        <source>Keep app installers</source>
        <translation>Garder les installateurs d’applications</translation>
    </message>
    <message>
        <source>Sunday Reset</source>
        <translation>Ménage du dimanche</translation>
    </message>
    <message>
        <source>Every Sunday at 9 AM, Tovrin sorts the files you saved that week (in Downloads and on your Desktop) and sends you a notification when it&apos;s ready. You review and approve. Nothing moves before that.</source>
        <translation>Chaque dimanche à 9 h, Tovrin trie les fichiers enregistrés dans la semaine (dans Téléchargements et sur le Bureau) et vous prévient quand c’est prêt. Vous vérifiez et approuvez. Rien ne bouge avant.</translation>
    </message>
    <message>
        <source>Sunday 9 AM reminder</source>
        <translation>Rappel du dimanche à 9 h</translation>
    </message>
    <message>
        <source>A gentle nudge: “Don&apos;t forget to start the week fresh.” Not needed when Sunday Reset is on, since that already notifies you.</source>
        <translation>Un petit rappel&#xa0;: «&#xa0;N’oubliez pas de commencer la semaine l’esprit léger.&#xa0;» Inutile si le Ménage du dimanche est activé, car il vous prévient déjà.</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Tovrin opens quietly in the background when you sign in.</source>
        <translation>Tovrin s’ouvre discrètement en arrière-plan quand vous vous connectez.</translation>
    </message>
    <message>
        <source>PROJECTS TOVRIN KNOWS</source>
        <translation>PROJETS CONNUS DE TOVRIN</translation>
    </message>
    <message>
        <source>CLAUDE USAGE</source>
        <translation>UTILISATION DE CLAUDE</translation>
    </message>
    <message>
        <source>Open move history</source>
        <translation>Ouvrir l’historique des déplacements</translation>
    </message>
    <message>
        <source>Preview recap</source>
        <translation>Aperçu du récapitulatif</translation>
    </message>
    <message>
        <source>Preview animation</source>
        <translation>Aperçu de l’animation</translation>
    </message>
    <message>
        <source>Tovrin 0.1 · development build</source>
        <translation>Tovrin 0.1 · version de développement</translation>
    </message>
    <message>
        <source>Ask before a costly refresh</source>
        <translation>Demander avant un rangement coûteux</translation>
    </message>
    <message>
        <source>When a refresh would cost Claude more than this, Tovrin waits for your go-ahead before sending anything.</source>
        <translation>Si un rangement doit coûter plus que ce montant chez Claude, Tovrin attend votre accord avant d’envoyer quoi que ce soit.</translation>
    </message>
    <message>
        <source>Limit per refresh: $</source>
        <translation>Limite par rangement ($) :</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Tovrin Settings</source>
        <translation>Paramètres de Tovrin</translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>DESTINATIONS</source>
        <translation>DESTINATIONS</translation>
    </message>
    <message>
        <source>Everything</source>
        <translation>Tout</translation>
    </message>
</context>
<context>
    <name>SidebarRow</name>
    <message numerus="yes">
        <source>%1, %Ln file(s)</source>
        <translation>
            <numerusform>%1, %Ln fichier</numerusform>
            <numerusform>%1, %Ln fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SuggestionBanner</name>
    <message numerus="yes">
        <source>Looks like a project: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln file(s))&lt;/font&gt;</source>
        <translation>
            <numerusform>Ressemble à un projet&#xa0;: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln fichier)&lt;/font&gt;</numerusform>
            <numerusform>Ressemble à un projet&#xa0;: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln fichiers)&lt;/font&gt;</numerusform>
        </translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add %1 as a project</source>
        <translation>Ajouter %1 comme projet</translation>
    </message>
    <message>
        <source>Hide %1</source>
        <translation>Masquer %1</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Open Tovrin</source>
        <translation>Ouvrir Tovrin</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>Usage</name>
    <message>
        <source>last refresh</source>
        <translation>dernier rangement</translation>
    </message>
    <message>
        <source>this month</source>
        <translation>ce mois-ci</translation>
    </message>
    <message>
        <source>all time</source>
        <translation>au total</translation>
    </message>
    <message numerus="yes">
        <source>file(s) this month</source>
        <translation>
            <numerusform>fichier ce mois-ci</numerusform>
            <numerusform>fichiers ce mois-ci</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZenPreview</name>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
</context>
<context>
    <name>ZenView</name>
    <message>
        <source>Breathe in</source>
        <translation>Inspirez</translation>
    </message>
    <message>
        <source>Breathe out</source>
        <translation>Expirez</translation>
    </message>
</context>
<context>
    <name>ZenWindow</name>
    <message>
        <source>Refresh animation</source>
        <translation>Animation du rangement</translation>
    </message>
</context>
</TS>
